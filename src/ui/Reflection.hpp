#pragma once

#include <windows.h>

#include <functional>

namespace ui {

class Control;

// Receives a control's notification: the control, the notification code and its parameter
// (the WM_COMMAND wParam, or the NMHDR pointer of WM_NOTIFY). Answers whether it was handled.
using NotificationHandler = std::function<bool(Control& control, int code, ULONG_PTR param)>;

// What to do with a WM_COMMAND or WM_NOTIFY whose sender is not a toolkit control. A top
// window owns only toolkit controls, so one there is a fault; a child window may be a system
// control with system children of its own (a combo box's edit), whose notifications are its
// own business.
enum class UnknownSenders { raise, pass };

// Hands a message that a child sent to its parent back to the child that sent it, so a
// control handles its own notifications whichever toolkit window it sits in:
// - WM_COMMAND from a control (not from a menu or an accelerator) and WM_NOTIFY go to
//   `notify`, or else to the control's onCommand; a sender that is not a toolkit control
//   raises err::RuntimeException("Failed to retrieve control.") or is not reflected, as
//   `unknown` says;
// - WM_CTLCOLOR*, and WM_DRAWITEM and WM_MEASUREITEM of a control (not of a menu), are sent
//   on to the child's own window, whose answer is the result.
// Answers whether the message was reflected. A message that a window sends about itself is
// not reflected, so a reflected message never comes back.
bool reflectMessage(const MSG& msg, LRESULT& result, UnknownSenders unknown,
                    const NotificationHandler& notify = nullptr);

}  // namespace ui
