#include "app/ClipHotkeyChoice.hpp"

namespace app {

namespace {

constexpr unsigned f12 = 123;
constexpr unsigned fallbackModifiers[] = {2, 8, 10, 0};  // Ctrl, Win, Ctrl+Win, none
constexpr int maxKeyCode = 255;
constexpr int maxModifiers = 15;

}  // namespace

ClipHotkeyChoice chooseClipHotkey(std::optional<std::pair<int, int>> stored,
                                  const std::function<bool(unsigned, unsigned)>& tryRegister) {
    std::optional<std::pair<unsigned, unsigned>> wanted;
    if (stored && stored->first > 0 && stored->first <= maxKeyCode && stored->second >= 0
        && stored->second <= maxModifiers) {
        wanted = std::make_pair(static_cast<unsigned>(stored->first), static_cast<unsigned>(stored->second));
        if (tryRegister(wanted->first, wanted->second)) {
            return {wanted->first, wanted->second, false};
        }
    }
    for (unsigned modifiers : fallbackModifiers) {
        if (wanted && wanted->first == f12 && wanted->second == modifiers) {
            continue;  // refused a moment ago
        }
        if (tryRegister(f12, modifiers)) {
            return {f12, modifiers, true};
        }
    }
    return {0, 0, true};
}

}  // namespace app
