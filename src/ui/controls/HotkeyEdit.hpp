#pragma once

#include "ui/controls/Edit.hpp"
#include "ui/input/HotkeyCapture.hpp"

#include <windows.h>

namespace ui::controls {

// An edit that shows a hot key instead of taking text: while it has the focus it watches
// the keyboard through a low-level hook and shows the combination being pressed, such as
// "Ctrl + Alt + N", or "None". Nothing the user does changes its text otherwise.
class HotkeyEdit : public Edit {
public:
    // Posted by the hook to the capturing edit: the virtual-key code as wParam, lParam 1
    // for a release and 0 for a press.
    static constexpr UINT keyMessage = WM_USER + 444;

    explicit HotkeyEdit(Window* parent, unsigned style = 0);
    ~HotkeyEdit() override;

    std::wstring getClassName() const override;
    void afterCreate() override;
    bool handleMessage(const MSG& msg, LRESULT& result) override;
    bool onSetFocus() override;
    bool onKillFocus() override;
    bool onDestroy() override;

    void set(unsigned keyCode, unsigned modifiers);
    unsigned getKey() const { return capture_.getKey(); }
    unsigned getModifiers() const { return capture_.getModifiers(); }
    // The keyboard hook is installed and reports to this edit.
    bool isCapturing() const;

private:
    void refresh();
    void stopCapture();

    input::HotkeyCapture capture_;
};

}  // namespace ui::controls
