#pragma once

#include "ui/MessageInterceptor.hpp"

#include <windows.h>

#include <functional>

namespace ui {
class Window;
}

namespace ui::input {

// A system-wide key combination registered for one window, for exactly the lifetime of the
// object. Installed on that window, it runs its action when its WM_HOTKEY arrives.
class Hotkey : public MessageInterceptor {
public:
    using Action = std::function<void()>;

    // `modifiers` combines modAlt, modCtrl, modShift and modWin. Key code 0 registers
    // nothing: the object is inert. With `noRepeat`, holding the keys down does not repeat
    // the action. Throws err::SystemException("Can't register hotkey") when the system
    // refuses the combination (another program, or this one, holds it).
    Hotkey(Window& window, unsigned modifiers, unsigned keyCode, Action action, bool noRepeat = false);
    ~Hotkey() override;

    int id() const { return id_; }
    unsigned keyCode() const { return keyCode_; }
    unsigned modifiers() const { return modifiers_; }
    bool equals(unsigned keyCode, unsigned modifiers) const;

    bool intercept(const MSG& msg, LRESULT& result) override;

private:
    const int id_;
    const unsigned modifiers_;
    const unsigned keyCode_;
    const Action action_;
    HWND window_ = nullptr;
};

}  // namespace ui::input
