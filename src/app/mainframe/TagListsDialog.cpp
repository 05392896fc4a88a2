#include "app/mainframe/TagListsDialog.hpp"

#include "res/StringsBundle.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/layout/BorderLayouts.hpp"
#include "ui/layout/BoxLayouts.hpp"

namespace app::mainframe {

namespace {

using ui::layout::Alignment;
using ui::layout::Place;

constexpr int tagIconResource = 135;

}  // namespace

TagListsDialog::TagListsDialog(ui::Window* owner, app::ColorRef baseColor, const Texts& texts)
    : ThemedDialog(res::getText(texts.title), owner, baseColor), texts_(texts) {}

TagListsDialog::~TagListsDialog() {
    if (isAttached()) {
        destroy();
    }
}

bool TagListsDialog::onCreate(CREATESTRUCT* createStruct) {
    // The starting size; the layout grows the window to its minimum where that is larger.
    SetWindowPos(getHandle(), nullptr, 0, 0, 350, 160, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    build();
    setSmallIcon(tagIconResource);
    setBigIcon(tagIconResource);
    return ThemedDialog::onCreate(createStruct);
}

void TagListsDialog::build() {
    using ui::composite::LabeledEdit;
    using ui::composite::LabelPosition;
    first_ = std::make_unique<LabeledEdit>(this, res::getText(texts_.firstLabel), LabelPosition::labelTop);
    first_->setMargins(16, 16, 16, 16);
    first_->getLabel().setBackgroundColor(getColors().light1);
    first_->getEdit().setMinWidth(350);
    second_ = std::make_unique<LabeledEdit>(this, res::getText(texts_.secondLabel), LabelPosition::labelTop);
    second_->setMargins(16, 0, 16, 16);
    second_->getLabel().setBackgroundColor(getColors().light1);
    second_->getEdit().setMinWidth(350);
    if (texts_.hint != nullptr) {
        hint_ = std::make_unique<ui::controls::Label>(this, res::getText(texts_.hint));
        hint_->create();
        hint_->setTextColor(RGB(0x64, 0x64, 0x64));
        hint_->setBackgroundColor(getColors().light1);
        hint_->setMargins(16, 0, 16, 16);
    }

    createFrame();

    ui::layout::Pane& root = getRootPane();
    ui::layout::Pane& fields =
        root.addPane(Place::center, ui::layout::VBoxLayout(Alignment::center, Alignment::center), 0, 0);
    fields.setContent(&getBackground(), false);
    fields.put(first_.get());
    fields.put(second_.get());
    if (hint_) {
        fields.put(hint_.get());
    }
    addButtonStrip();

    setDefaultControl(&first_->getEdit());
}

void TagListsDialog::accept() {
    firstTags_ = first_->getEdit().getText();
    secondTags_ = second_->getEdit().getText();
    setResult(ui::DialogResult::accepted);
    close();
}

}  // namespace app::mainframe
