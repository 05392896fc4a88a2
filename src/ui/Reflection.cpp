#include "ui/Reflection.hpp"

#include "ui/Control.hpp"

namespace ui {

namespace {

bool notifyControl(HWND sender, int code, ULONG_PTR param, UnknownSenders unknown, const NotificationHandler& notify) {
    if (unknown == UnknownSenders::pass && dynamic_cast<Control*>(findWindow(sender)) == nullptr) {
        return false;
    }
    Control& control = getControl(sender);
    if (notify) {
        return notify(control, code, param);
    }
    control.onCommand(code, param);
    return true;
}

// A child of the window, and not the window itself, sent the message.
bool isChildOf(HWND parent, HWND sender) {
    return sender != nullptr && sender != parent && IsChild(parent, sender);
}

bool sendToChild(const MSG& msg, HWND child, LRESULT& result) {
    if (!isChildOf(msg.hwnd, child)) {
        return false;
    }
    result = SendMessageW(child, msg.message, msg.wParam, msg.lParam);
    return true;
}

}  // namespace

bool reflectMessage(const MSG& msg, LRESULT& result, UnknownSenders unknown, const NotificationHandler& notify) {
    switch (msg.message) {
    case WM_COMMAND: {
        const auto sender = reinterpret_cast<HWND>(msg.lParam);
        if (sender == nullptr || sender == msg.hwnd) {
            return false;
        }
        return notifyControl(sender, HIWORD(msg.wParam), msg.wParam, unknown, notify);
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(msg.lParam);
        if (header == nullptr || header->hwndFrom == msg.hwnd) {
            return false;
        }
        return notifyControl(header->hwndFrom, static_cast<int>(header->code), static_cast<ULONG_PTR>(msg.lParam),
                             unknown, notify);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return sendToChild(msg, reinterpret_cast<HWND>(msg.lParam), result);
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(msg.lParam);
        return item != nullptr && item->CtlType != ODT_MENU && sendToChild(msg, item->hwndItem, result);
    }
    case WM_MEASUREITEM: {
        // The record names the control by id only; the control may not exist yet while
        // it is being created.
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(msg.lParam);
        return item != nullptr && item->CtlType != ODT_MENU
               && sendToChild(msg, GetDlgItem(msg.hwnd, static_cast<int>(item->CtlID)), result);
    }
    default:
        return false;
    }
}

}  // namespace ui
