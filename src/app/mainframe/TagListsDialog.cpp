#include "app/mainframe/TagListsDialog.hpp"

#include "err/Exceptions.hpp"
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
    : Dialog(res::getText(texts.title), owner), texts_(texts), colors_(DialogColors::of(baseColor)) {}

TagListsDialog::~TagListsDialog() {
    if (isAttached()) {
        destroy();
    }
}

ui::DialogResult TagListsDialog::run() {
    if (ran_) {
        err::throwInvalidState("app::mainframe::TagListsDialog::run", "!ran");
    }
    ran_ = true;
    create();
    return showModal(ui::Placement::centered);
}

bool TagListsDialog::onCreate(CREATESTRUCT* createStruct) {
    // The starting size; the layout grows the window to its minimum where that is larger.
    SetWindowPos(getHandle(), nullptr, 0, 0, 350, 160, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    build();
    setSmallIcon(tagIconResource);
    setBigIcon(tagIconResource);
    return Dialog::onCreate(createStruct);
}

void TagListsDialog::build() {
    using ui::composite::LabeledEdit;
    using ui::composite::LabelPosition;
    first_ = std::make_unique<LabeledEdit>(this, res::getText(texts_.firstLabel), LabelPosition::labelTop);
    first_->setMargins(16, 16, 16, 16);
    first_->getLabel().setBackgroundColor(colors_.light1);
    first_->getEdit().setMinWidth(350);
    second_ = std::make_unique<LabeledEdit>(this, res::getText(texts_.secondLabel), LabelPosition::labelTop);
    second_->setMargins(16, 0, 16, 16);
    second_->getLabel().setBackgroundColor(colors_.light1);
    second_->getEdit().setMinWidth(350);
    if (texts_.hint != nullptr) {
        hint_ = std::make_unique<ui::controls::Label>(this, res::getText(texts_.hint));
        hint_->create();
        hint_->setTextColor(RGB(0x64, 0x64, 0x64));
        hint_->setBackgroundColor(colors_.light1);
        hint_->setMargins(16, 0, 16, 16);
    }

    ok_ = std::make_unique<ui::controls::Button>(this, res::getText("ok"), true);
    cancel_ = std::make_unique<ui::controls::Button>(this, res::getText("cancel"));
    ok_->create();
    cancel_->create();
    ok_->clicked.connect([this] { accept(); });
    cancel_->clicked.connect([this] { close(); });

    // A child window is made below its elder siblings: the panels come last.
    background_.create();
    background_.setBackgroundColor(colors_.light1);
    buttonStrip_.create();
    buttonStrip_.setBackgroundColor(colors_.light2);

    ui::layout::Pane& root = getRootPane();
    ui::layout::Pane& fields =
        root.addPane(Place::center, ui::layout::VBoxLayout(Alignment::center, Alignment::center), 0, 0);
    fields.setContent(&background_, false);
    fields.put(first_.get());
    fields.put(second_.get());
    if (hint_) {
        fields.put(hint_.get());
    }
    ui::layout::Pane& buttons =
        root.addPane(Place::bottom, ui::layout::HBoxLayout(Alignment::right, Alignment::fill), 0, 0);
    buttons.setPaddings(8, 8, 8, 8);
    buttons.setContent(&buttonStrip_, false);
    buttons.put(ok_.get());
    buttons.put(cancel_.get());

    setDefaultControl(&first_->getEdit());
}

void TagListsDialog::accept() {
    firstTags_ = first_->getEdit().getText();
    secondTags_ = second_->getEdit().getText();
    setResult(ui::DialogResult::accepted);
    close();
}

}  // namespace app::mainframe
