#pragma once

#include "ui/composite/ControlComposite.hpp"

#include <memory>
#include <string>

namespace ui {
class Window;
}

namespace ui::layout {
class Pane;
}

namespace ui::controls {
class Edit;
class Label;
}  // namespace ui::controls

namespace ui::composite {

// Where the label of a LabeledEdit sits: above the edit, left of it with both at their own
// widths, or left of it with the edit taking the remaining width.
enum class LabelPosition { labelTop, labelLeft, labelLeftFill };

// A label and an edit laid out as one item. The constructor creates both windows (an edit
// handed in only when it has none yet) in the parent, which must exist.
class LabeledEdit : public ControlComposite {
public:
    LabeledEdit(Window* parent, const std::wstring& labelText, LabelPosition position, unsigned labelStyle = 0,
                unsigned editStyle = 0);
    // Takes over an edit made by the caller, usually a subclass with behaviour of its own.
    LabeledEdit(Window* parent, const std::wstring& labelText, LabelPosition position,
                std::unique_ptr<controls::Edit> edit, unsigned labelStyle = 0);
    ~LabeledEdit() override;

    controls::Edit& getEdit() const { return *edit_; }
    controls::Label& getLabel() const { return *label_; }
    LabelPosition getLabelPosition() const { return position_; }

private:
    void layOut();
    layout::Pane& getPane() const;

    std::unique_ptr<controls::Label> label_;
    std::unique_ptr<controls::Edit> edit_;
    LabelPosition position_;
};

}  // namespace ui::composite
