#include "ui/PopupWindow.hpp"

#include "err/Exceptions.hpp"

namespace ui {

namespace {

Window* requireParent(Window* parent) {
    if (parent == nullptr) {
        err::throwInvalidArgument("ui::PopupWindow::PopupWindow", "parent != 0");
    }
    return parent;
}

}  // namespace

PopupWindow::PopupWindow(Window* parent) : parent_(requireParent(parent)) {}

HWND PopupWindow::getParentHandle() const {
    return parent_->getHandle();
}

unsigned PopupWindow::getStyle() const {
    return WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}

unsigned PopupWindow::getClassStyle() const {
    return CS_DBLCLKS;
}

}  // namespace ui
