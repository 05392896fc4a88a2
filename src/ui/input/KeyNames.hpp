#pragma once

#include <string>

namespace ui::input {

// Hot key modifier flags, as the system's RegisterHotKey takes them.
constexpr unsigned modAlt = 1, modCtrl = 2, modShift = 4, modWin = 8;

// The English name of a virtual-key code; "Unknown Key" above 255.
std::wstring keyName(unsigned keyCode);
// A hot key as the user reads it, such as "Ctrl + Alt + F12": the modifiers in a fixed
// order, then the key (none for key code 0); "None" when there is neither.
std::wstring hotkeyText(unsigned keyCode, unsigned modifiers);

}  // namespace ui::input
