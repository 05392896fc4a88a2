#include "app/mainframe/NoteAppearanceDialog.hpp"

#include "app/mainframe/NoteAppearance.hpp"
#include "err/Exceptions.hpp"
#include "gdi/Font.hpp"
#include "res/StringsBundle.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/Label.hpp"
#include "ui/layout/BorderLayouts.hpp"
#include "ui/layout/BoxLayouts.hpp"

#include <cstdint>
#include <utility>

namespace app::mainframe {

namespace {

using ui::layout::Alignment;
using ui::layout::Place;

}  // namespace

NoteAppearanceDialog::NoteAppearanceDialog(ui::Window* owner, app::ColorRef baseColor,
                                           std::shared_ptr<gdi::Font> headerFont, std::shared_ptr<gdi::Font> textFont,
                                           int maxLines)
    : ThemedDialog(res::getText("noteappearance.title"), owner, baseColor),
      headerFont_(std::move(headerFont)),
      textFont_(std::move(textFont)),
      maxLines_(maxLines),
      chosenHeaderFont_(headerFont_),
      chosenTextFont_(textFont_) {
    if (!headerFont_ || !textFont_) {
        err::throwInvalidArgument("app::mainframe::NoteAppearanceDialog::NoteAppearanceDialog",
                                  "headerFont && textFont");
    }
}

NoteAppearanceDialog::~NoteAppearanceDialog() {
    if (isAttached()) {
        destroy();
    }
}

CHOOSEFONTW NoteAppearanceDialog::fontChooserRequest(HWND owner, LOGFONTW& font) {
    CHOOSEFONTW request{};
    request.lStructSize = sizeof(CHOOSEFONTW);
    request.hwndOwner = owner;
    request.lpLogFont = &font;
    request.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOVERTFONTS;
    return request;
}

void NoteAppearanceDialog::afterCreate() {
    // The starting size; the layout grows the window to its minimum where that is larger.
    SetWindowPos(getHandle(), nullptr, 0, 0, 380, 220, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    build();
    ThemedDialog::afterCreate();
}

void NoteAppearanceDialog::build() {
    using ui::composite::LabeledEdit;
    using ui::composite::LabelPosition;
    using ui::controls::Button;

    auto fontBox = [this](const char* label) {
        auto box = std::make_unique<LabeledEdit>(this, res::getText(label), LabelPosition::labelTop);
        box->getLabel().setBackgroundColor(getColors().light1);
        box->getEdit().setMinWidth(350);
        box->getEdit().setReadOnly(true);
        return box;
    };
    auto changeButton = [this](const LabeledEdit& box, FontKind kind) {
        auto button = std::make_unique<Button>(this, res::getText("noteappearance.change"));
        button->create();
        button->setMinWidth(25);
        button->setWidth(25);
        // Level with the edit, not with the label above it.
        button->setMargins(0, static_cast<std::int16_t>(box.getLabel().getOuterHeight()), 4, 0);
        button->clicked.connect([this, kind] { changeFont(kind); });
        return button;
    };
    headerBox_ = fontBox("noteappearance.headerfontlabel");
    changeHeader_ = changeButton(*headerBox_, FontKind::header);
    textBox_ = fontBox("noteappearance.textfontlabel");
    changeText_ = changeButton(*textBox_, FontKind::text);
    linesBox_ =
        std::make_unique<LabeledEdit>(this, res::getText("noteappearance.maxnotelines"), LabelPosition::labelLeft);
    linesBox_->getLabel().setBackgroundColor(getColors().light1);
    // The minimum first: a width below the current minimum would not hold.
    linesBox_->getEdit().setMinWidth(40);
    linesBox_->getEdit().setWidth(40);
    showFont(FontKind::header);
    showFont(FontKind::text);
    linesBox_->getEdit().setText(std::to_wstring(maxLines_));

    createFrame();

    ui::layout::Pane& root = getRootPane();
    root.setLayout(ui::layout::VBorderLayout());
    ui::layout::Pane& fields =
        root.addPane(Place::center, ui::layout::VBoxLayout(Alignment::top, Alignment::fill), 250, 50);
    fields.setPaddings(12, 12, 12, 12);
    fields.setContent(&getBackground(), false);
    auto fontRow = [&fields](LabeledEdit* box, Button* button, std::int16_t top) {
        ui::layout::Pane& row = fields.addPane(ui::layout::HBorderLayout(), 0, 0);
        row.setMargins(0, top, 0, 0);
        row.put(box, Place::center);
        ui::layout::Pane& side =
            row.addPane(Place::right, ui::layout::VBoxLayout(Alignment::top, Alignment::fill), 0, 0);
        side.setPaddings(0, 2, 0, 0);
        side.put(button);
    };
    fontRow(headerBox_.get(), changeHeader_.get(), 0);
    fontRow(textBox_.get(), changeText_.get(), 16);
    ui::layout::Pane& linesRow = fields.addPane(ui::layout::HBorderLayout(), 0, 0);
    linesRow.setPaddings(4, 16, 0, 0);
    linesRow.put(linesBox_.get(), Place::left);

    addButtonStrip(10);

    setDefaultControl(&getOkButton());
}

// The choice is kept for the dialog only; the caller sees it after OK.
void NoteAppearanceDialog::changeFont(FontKind kind) {
    std::shared_ptr<gdi::Font>& font = kind == FontKind::header ? chosenHeaderFont_ : chosenTextFont_;
    LOGFONTW logFont = font->getLogFont();
    CHOOSEFONTW request = fontChooserRequest(getHandle(), logFont);
    if (ChooseFontW(&request) != TRUE) {
        return;
    }
    font = std::make_shared<gdi::Font>(logFont);
    showFont(kind);
}

void NoteAppearanceDialog::showFont(FontKind kind) {
    const bool header = kind == FontKind::header;
    const gdi::Font& font = header ? *chosenHeaderFont_ : *chosenTextFont_;
    (header ? headerBox_ : textBox_)->getEdit().setText(describeFont(font.userFont()));
}

void NoteAppearanceDialog::accept() {
    headerFont_ = chosenHeaderFont_;
    textFont_ = chosenTextFont_;
    maxLines_ = parseDisplayedLines(linesBox_->getEdit().getText(), maxLines_);
    setResult(ui::DialogResult::accepted);
    close();
}

}  // namespace app::mainframe
