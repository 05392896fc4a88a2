#pragma once

#include <functional>
#include <optional>
#include <utility>

namespace app {

// The clip hot key a run ends up with.
struct ClipHotkeyChoice {
    unsigned keyCode = 0;  // 0: none could be registered
    unsigned modifiers = 0;
    // A replacement for the stored key is in use for this run only; the stored key stays,
    // to be tried again at the next start, and the user is worth telling.
    bool fallback = false;
};

// Registers the stored combination (key code, modifiers), or when that is absent, out of
// range or refused, F12 with Ctrl, Win, Ctrl+Win and no modifier, in this order.
// `tryRegister` answers whether the system took a combination.
ClipHotkeyChoice chooseClipHotkey(std::optional<std::pair<int, int>> stored,
                                  const std::function<bool(unsigned keyCode, unsigned modifiers)>& tryRegister);

}  // namespace app
