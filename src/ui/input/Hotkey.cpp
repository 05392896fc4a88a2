#include "ui/input/Hotkey.hpp"

#include "err/Exceptions.hpp"
#include "ui/Window.hpp"

#include <atomic>
#include <utility>

namespace ui::input {

namespace {

// Programs may use hot key ids 0 to 0xBFFF; the rest belong to shared libraries.
constexpr int idCount = 0xC000;

// Every object takes the next id, so a re-created hot key never answers to its
// predecessor's WM_HOTKEY that may still be queued.
int nextId() {
    static std::atomic<int> counter{0};
    return counter.fetch_add(1) % idCount;
}

}  // namespace

Hotkey::Hotkey(Window& window, unsigned modifiers, unsigned keyCode, Action action, bool noRepeat)
    : id_(nextId()), modifiers_(modifiers), keyCode_(keyCode), action_(std::move(action)) {
    if (keyCode_ != 0) {
        const HWND handle = window.getHandle();
        if (handle == nullptr) {
            err::throwInvalidArgument("ui::input::Hotkey::Hotkey", "window.getHandle()!=0");
        }
        const UINT flags = modifiers_ | (noRepeat ? MOD_NOREPEAT : 0);
        if (!RegisterHotKey(handle, id_, flags, keyCode_)) {
            throw err::SystemException("Can't register hotkey");
        }
        window_ = handle;
    }
    install(&window);
}

Hotkey::~Hotkey() {
    if (window_ != nullptr) {
        UnregisterHotKey(window_, id_);
    }
}

bool Hotkey::equals(unsigned keyCode, unsigned modifiers) const {
    return keyCode_ == keyCode && modifiers_ == modifiers;
}

bool Hotkey::intercept(const MSG& msg, LRESULT& result) {
    if (msg.message != WM_HOTKEY || window_ == nullptr || msg.wParam != static_cast<WPARAM>(id_)) {
        return false;
    }
    if (action_) {
        action_();
    }
    result = 0;
    return true;
}

}  // namespace ui::input
