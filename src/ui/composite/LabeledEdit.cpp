#include "ui/composite/LabeledEdit.hpp"

#include "err/Exceptions.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/Label.hpp"
#include "ui/layout/BorderLayouts.hpp"
#include "ui/layout/BoxLayouts.hpp"
#include "ui/layout/Pane.hpp"

#include <utility>

namespace ui::composite {

namespace {

using layout::Alignment;

std::unique_ptr<layout::Pane> makePane(LabelPosition position) {
    switch (position) {
    case LabelPosition::labelTop:
        return std::make_unique<layout::Pane>(layout::VBoxLayout(Alignment::top, Alignment::fill), 0, 0);
    case LabelPosition::labelLeft:
        return std::make_unique<layout::Pane>(layout::HBoxLayout(Alignment::left, Alignment::fill), 0, 0);
    case LabelPosition::labelLeftFill:
        return std::make_unique<layout::Pane>(layout::HBorderLayout(), 0, 0);
    }
    err::throwInvalidArgument("ui::composite::LabeledEdit::LabeledEdit", "position");
}

std::unique_ptr<controls::Edit> requireEdit(std::unique_ptr<controls::Edit> edit) {
    if (!edit) {
        err::throwInvalidArgument("ui::composite::LabeledEdit::LabeledEdit", "edit != 0");
    }
    return edit;
}

}  // namespace

LabeledEdit::LabeledEdit(Window* parent, const std::wstring& labelText, LabelPosition position, unsigned labelStyle,
                         unsigned editStyle)
    : LabeledEdit(parent, labelText, position, std::make_unique<controls::Edit>(parent, editStyle), labelStyle) {}

LabeledEdit::LabeledEdit(Window* parent, const std::wstring& labelText, LabelPosition position,
                         std::unique_ptr<controls::Edit> edit, unsigned labelStyle)
    : ControlComposite(makePane(position)),
      label_(std::make_unique<controls::Label>(parent, labelText, labelStyle)),
      edit_(requireEdit(std::move(edit))),
      position_(position) {
    // The controls take their sizes and margins when they are created; the layout below
    // replaces the margins.
    label_->create();
    if (!edit_->isAttached()) {
        edit_->create();
    }
    layOut();
}

LabeledEdit::~LabeledEdit() = default;

void LabeledEdit::layOut() {
    setMargins(2, 2, 2, 2);
    layout::Pane& pane = getPane();
    if (position_ == LabelPosition::labelTop) {
        label_->setMargins(2, 0, 2, 0);
        edit_->setMargins(0, 0, 0, 0);
        pane.put(label_.get());
        pane.put(edit_.get());
        return;
    }
    label_->setMinHeight(edit_->getMinHeight() - 6);
    label_->setMargins(0, 5, 6, 0);
    edit_->setMargins(0, 1, 0, 1);
    if (position_ == LabelPosition::labelLeft) {
        pane.put(label_.get());
        pane.put(edit_.get());
    } else {
        pane.put(label_.get(), layout::Place::left);
        pane.put(edit_.get(), layout::Place::center);
    }
}

layout::Pane& LabeledEdit::getPane() const {
    return static_cast<layout::Pane&>(getInner());
}

}  // namespace ui::composite
