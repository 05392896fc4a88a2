#include "ui/Control.hpp"

#include "err/Exceptions.hpp"
#include "ui/Messages.hpp"

namespace ui {

Control::Control(Window* parent) : ChildWindow(parent) {}

bool Control::handleMessage(const MSG& msg, LRESULT& result) {
    const int repeat = static_cast<short>(LOWORD(msg.lParam));
    const bool extended = (msg.lParam & (1 << 24)) != 0;
    const bool wasDown = (msg.lParam & (1 << 30)) != 0;
    switch (msg.message) {
    case WM_SETFOCUS:
        return onSetFocus();
    case WM_KILLFOCUS:
        return onKillFocus();
    case WM_GETDLGCODE:
        return onGetDlgCode(reinterpret_cast<MSG*>(msg.lParam), result);
    case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) {
            return true;
        }
        if (onKeyDown(static_cast<int>(msg.wParam), repeat, extended, wasDown)) {
            return true;
        }
        break;
    case WM_CHAR:
        return onChar(static_cast<int>(msg.wParam));
    case WM_SYSKEYDOWN:
        if (onSysKeyDown(static_cast<int>(msg.wParam), repeat, extended, wasDown, (msg.lParam & (1 << 29)) != 0)) {
            return true;
        }
        break;
    default:
        break;
    }
    return ChildWindow::handleMessage(msg, result);
}

unsigned Control::getStyle() const {
    return ChildWindow::getStyle() | WS_TABSTOP;
}

void Control::setEnabled(bool enabled) {
    if (!enabled && hasFocus()) {
        err::throwInvalidState("ui::Control::setEnabled", "enabled || !hasFocus()");
    }
    ChildWindow::setEnabled(enabled);
}

bool Control::onCommand(int, ULONG_PTR) {
    return false;
}

bool Control::onKillFocus() {
    InvalidateRect(getHandle(), nullptr, TRUE);
    // Nested controls report to their top-level window, which gives the focus back when
    // it is activated again. The handle, not the object, travels: the control may be gone
    // by the time the message arrives.
    PostMessageW(GetAncestor(getHandle(), GA_ROOT), WM_CONTROLFOCUSLOST, reinterpret_cast<WPARAM>(getHandle()), 0);
    return false;
}

bool Control::onSetFocus() {
    InvalidateRect(getHandle(), nullptr, FALSE);
    return false;
}

bool Control::onKeyDown(int, int, bool, bool) {
    return false;
}

bool Control::onSysKeyDown(int, int, bool, bool, bool) {
    return false;
}

bool Control::onChar(int) {
    return false;
}

bool Control::onGetDlgCode(MSG*, LRESULT&) {
    return false;
}

void focusNextTabStop(HWND from, bool previous) {
    HWND next = GetNextDlgTabItem(GetAncestor(from, GA_ROOT), from, previous ? TRUE : FALSE);
    if (next != nullptr && next != from) {
        SetFocus(next);
    }
}

void Control::focus() {
    if (!isAttached()) {
        err::throwInvalidState("ui::Control::focus", "isAttached()");
    }
    SetFocus(getHandle());
}

bool Control::hasFocus() const {
    return isAttached() && GetFocus() == getHandle();
}

Control& getControl(HWND hwnd) {
    auto* control = dynamic_cast<Control*>(findWindow(hwnd));
    if (control == nullptr) {
        throw err::RuntimeException("Failed to retrieve control.");
    }
    return *control;
}

}  // namespace ui
