#pragma once

#include "ui/ChildWindow.hpp"

namespace ui {

// A child window that takes the keyboard focus and is reached with Tab.
class Control : public ChildWindow {
public:
    explicit Control(Window* parent);

    bool handleMessage(const MSG& msg, LRESULT& result) override;
    unsigned getStyle() const override;
    // A focused control must lose the focus before it is disabled.
    void setEnabled(bool enabled) override;

    // A notification of this control, reflected by its top window.
    virtual bool onCommand(int code, ULONG_PTR param);
    virtual bool onKillFocus();
    virtual bool onSetFocus();
    virtual bool onKeyDown(int key, int repeat, bool extended, bool wasDown);
    virtual bool onSysKeyDown(int key, int repeat, bool extended, bool wasDown, bool altDown);
    virtual bool onChar(int character);
    virtual bool onGetDlgCode(MSG* msg, LRESULT& result);

    void focus();
    bool hasFocus() const;
};

// Moves the keyboard focus to the next (or previous) tab stop of the top-level window the
// window sits in, whatever panels lie between; nothing when there is no other.
void focusNextTabStop(HWND from, bool previous);

// The control bound to a window handle; "Failed to retrieve control." when the handle is
// not a control of this toolkit.
Control& getControl(HWND hwnd);

}  // namespace ui
