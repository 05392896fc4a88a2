#pragma once

#include "ui/PopupWindow.hpp"

namespace ui {

// A tooltip window, always on top of its parent.
class ToolTipper : public PopupWindow {
public:
    ToolTipper(Window* parent, unsigned extraStyle);
    ~ToolTipper() override;

    std::wstring getClassName() const override;
    std::wstring getSuperclassName() const override;
    unsigned getStyle() const override;
    unsigned getExStyle() const override;
    void afterCreate() override;

private:
    unsigned extraStyle_;
};

}  // namespace ui
