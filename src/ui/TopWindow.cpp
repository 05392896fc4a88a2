#include "ui/TopWindow.hpp"

#include "err/Exceptions.hpp"
#include "ui/Messages.hpp"
#include "ui/Reflection.hpp"
#include "ui/layout/BorderLayouts.hpp"

#include <algorithm>

namespace ui {

TopWindow::TopWindow(Window* owner)
    : owner_(owner), rootPane_(std::make_unique<layout::Pane>(layout::VBorderLayout(), 0, 0)) {}

TopWindow::~TopWindow() = default;

bool TopWindow::handleMessage(const MSG& msg, LRESULT& result) {
    const auto notify = [this](Control& control, int code, ULONG_PTR param) {
        return reflectNotification(control, code, param);
    };
    if (reflectMessage(msg, result, UnknownSenders::raise, notify)) {
        return true;
    }
    switch (msg.message) {
    case WM_SETFOCUS:
        return onSetFocus();
    case WM_KILLFOCUS:
        return onKillFocus();
    case WM_CONTROLFOCUSLOST:
        lastFocusedControl_ = reinterpret_cast<HWND>(msg.wParam);
        break;
    default:
        break;
    }
    return VisualWindow::handleMessage(msg, result);
}

HWND TopWindow::getParentHandle() const {
    return owner_ != nullptr ? owner_->getHandle() : nullptr;
}

unsigned TopWindow::getStyle() const {
    return WS_CLIPCHILDREN;
}

int TopWindow::getNonClientWidth() const {
    RECT client{};
    GetClientRect(getHandle(), &client);
    return getWindowWidth() - (client.right - client.left);
}

int TopWindow::getNonClientHeight() const {
    RECT client{};
    GetClientRect(getHandle(), &client);
    return getWindowHeight() - (client.bottom - client.top);
}

int TopWindow::getMinWidth() const {
    return std::max(VisualWindow::getMinWidth(), rootPane_->getMinWidth() + getNonClientWidth());
}

int TopWindow::getMinHeight() const {
    return std::max(VisualWindow::getMinHeight(), rootPane_->getMinHeight() + getNonClientHeight());
}

void TopWindow::afterCreate() {
    const int width = std::max(getWindowWidth(), rootPane_->getWidth() + getNonClientWidth());
    const int height = std::max(getWindowHeight(), rootPane_->getHeight() + getNonClientHeight());
    SetWindowPos(getHandle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (defaultControl_ != nullptr && defaultControl_->isAttached()) {
        defaultControl_->focus();
        lastFocusedControl_ = defaultControl_->getHandle();
    }
}

bool TopWindow::onSize(int width, int height) {
    if (width == 0 && height == 0) {
        return false;
    }
    rootPane_->setBounds(0, 0, std::max(width, getMinWidth() - getNonClientWidth()),
                         std::max(height, getMinHeight() - getNonClientHeight()), true);
    return false;
}

bool TopWindow::onWindowPosChanging(WINDOWPOS* windowPos) {
    RECT client{};
    GetClientRect(getHandle(), &client);
    if ((windowPos->flags & (SWP_NOSIZE | SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0 || IsRectEmpty(&client)) {
        return false;
    }
    windowPos->cx = std::max(windowPos->cx, getMinWidth());
    windowPos->cy = std::max(windowPos->cy, getMinHeight());
    const bool redraw = (windowPos->flags & SWP_NOREDRAW) == 0;
    rootPane_->setBounds(0, 0, windowPos->cx - getNonClientWidth(), windowPos->cy - getNonClientHeight(), redraw);
    if (!redraw) {
        InvalidateRect(getHandle(), nullptr, TRUE);
    }
    return false;
}

bool TopWindow::preTranslateMessage(MSG*) {
    return false;
}

bool TopWindow::reflectNotification(Control& control, int code, ULONG_PTR param) {
    control.onCommand(code, param);
    return true;
}

bool TopWindow::onSetFocus() {
    // Only a control of this window gets the focus back.
    if (lastFocusedControl_ != nullptr && IsChild(getHandle(), lastFocusedControl_)
        && dynamic_cast<Control*>(findWindow(lastFocusedControl_)) != nullptr) {
        SetFocus(lastFocusedControl_);
    }
    return false;
}

bool TopWindow::onKillFocus() {
    return false;
}

void TopWindow::setDefaultControl(Control* control) {
    if (control == nullptr) {
        err::throwInvalidArgument("ui::TopWindow::setDefaultControl", "c!=0");
    }
    defaultControl_ = control;
}

bool TopWindow::isTopmost() const {
    return (GetWindowLongPtrW(getHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void TopWindow::setTopmost(bool on) {
    if (isTopmost() == on) {
        return;
    }
    SetWindowPos(getHandle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

}  // namespace ui
