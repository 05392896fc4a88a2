#pragma once

#include "ui/VisualWindow.hpp"

namespace ui {

// A popup window owned by another window.
class PopupWindow : public VisualWindow {
public:
    explicit PopupWindow(Window* parent);

    HWND getParentHandle() const override;
    unsigned getStyle() const override;
    unsigned getClassStyle() const override;

    Window* getParent() const { return parent_; }

private:
    Window* parent_;
};

}  // namespace ui
