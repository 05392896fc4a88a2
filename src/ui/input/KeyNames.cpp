#include "ui/input/KeyNames.hpp"

#include <iterator>

namespace ui::input {

namespace {

constexpr std::size_t maxHotkeyText = 63;

// Names by virtual-key code. Codes without a key of their own say "Unknown"; keys that
// differ between keyboard layouts say "OEM".
// clang-format off
constexpr const wchar_t* keyNames[] = {
    L"Unused",                                                                     // 0
    L"Left mouse button", L"Right mouse button", L"Control-break",                 // 1..3
    L"Middle mouse button", L"X1 mouse button", L"X2 mouse button", L"Undefined",  // 4..7
    L"Backspace", L"Tab", L"Unknown", L"Unknown", L"Clear", L"Enter",              // 8..13
    L"Unknown", L"Unknown",                                                        // 14..15
    L"Shift", L"Control", L"Alt", L"Pause", L"Caps Lock",                          // 16..20
    L"IME Kana mode", L"Unknown", L"IME Junja mode", L"IME final mode",            // 21..24
    L"IME Hanja mode", L"Unknown", L"Esc",                                         // 25..27
    L"IME convert", L"IME nonconvert", L"IME accept", L"IME mode change",          // 28..31
    L"Space", L"Page Up", L"Page Down", L"End", L"Home",                           // 32..36
    L"Left Arrow", L"Up Arrow", L"Right Arrow", L"Down Arrow",                     // 37..40
    L"Select", L"Print", L"Execute", L"Print Screen",                              // 41..44
    L"Ins", L"Del", L"Help",                                                       // 45..47
    L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9",                    // 48..57
    L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown",        // 58..63
    L"Unknown",                                                                    // 64
    L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"I", L"J", L"K", L"L", L"M",  // 65..77
    L"N", L"O", L"P", L"Q", L"R", L"S", L"T", L"U", L"V", L"W", L"X", L"Y", L"Z",  // 78..90
    L"Left Win", L"Right Win", L"App", L"Unknown", L"Sleep",                       // 91..95
    L"Num 0", L"Num 1", L"Num 2", L"Num 3", L"Num 4",                              // 96..100
    L"Num 5", L"Num 6", L"Num 7", L"Num 8", L"Num 9",                              // 101..105
    L"Mul", L"Add", L"Separator", L"Sub", L"Decimal", L"Div",                      // 106..111
    L"F1", L"F2", L"F3", L"F4", L"F5", L"F6", L"F7", L"F8",                        // 112..119
    L"F9", L"F10", L"F11", L"F12", L"F13", L"F14", L"F15", L"F16",                 // 120..127
    L"F17", L"F18", L"F19", L"F20", L"F21", L"F22", L"F23", L"F24",                // 128..135
    L"Unknown", L"Unknown", L"Unknown", L"Unknown",                                // 136..139
    L"Unknown", L"Unknown", L"Unknown", L"Unknown",                                // 140..143
    L"Num Lock", L"Scroll Lock",                                                   // 144..145
    L"OEM", L"OEM", L"OEM", L"OEM", L"OEM",                                        // 146..150
    L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown",                    // 151..155
    L"Unknown", L"Unknown", L"Unknown", L"Unknown",                                // 156..159
    L"Left Shift", L"Right Shift", L"Left Control", L"Right Control",              // 160..163
    L"Left Alt", L"Right Alt",                                                     // 164..165
    L"Browser Back", L"Browser Forward", L"Browser Refresh", L"Browser Stop",      // 166..169
    L"Browser Search", L"Browser Favorites", L"Browser Home",                      // 170..172
    L"Volume Mute", L"Volume Down", L"Volume Up",                                  // 173..175
    L"Next Track", L"Previous Track", L"Stop Media", L"Play/Pause Media",          // 176..179
    L"Start Mail", L"Select Media", L"Start App 1", L"Start App 2",                // 180..183
    L"Unknown", L"Unknown",                                                        // 184..185
    L";", L"=", L",", L"-", L".", L"/", L"`",                                      // 186..192
    L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown",        // 193..198
    L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown",        // 199..204
    L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown",        // 205..210
    L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown", L"Unknown",        // 211..216
    L"Unknown", L"Unknown",                                                        // 217..218
    L"[", L"\\", L"]", L"'",                                                       // 219..222
    L"OEM", L"Unknown", L"OEM", L"\\", L"OEM", L"OEM",                             // 223..228
    L"IME Process key", L"OEM", L"VK_PACKET", L"Unknown",                          // 229..232
    L"OEM", L"OEM", L"OEM", L"OEM", L"OEM", L"OEM", L"OEM",                        // 233..239
    L"OEM", L"OEM", L"OEM", L"OEM", L"OEM", L"OEM",                                // 240..245
    L"Attn", L"CrSel", L"ExSel", L"Erase EOF", L"Play", L"Zoom",                   // 246..251
    L"Unknown", L"PA1", L"Clear", L"Unknown",                                      // 252..255
};
// clang-format on
static_assert(std::size(keyNames) == 256, "one name for every virtual-key code");

}  // namespace

std::wstring keyName(unsigned keyCode) {
    return keyCode < std::size(keyNames) ? std::wstring(keyNames[keyCode]) : std::wstring(L"Unknown Key");
}

// Modifiers without a key keep their trailing " + ", so the user sees that the
// combination is not finished.
std::wstring hotkeyText(unsigned keyCode, unsigned modifiers) {
    std::wstring text;
    if ((modifiers & modWin) != 0) {
        text += L"Win + ";
    }
    if ((modifiers & modCtrl) != 0) {
        text += L"Ctrl + ";
    }
    if ((modifiers & modAlt) != 0) {
        text += L"Alt + ";
    }
    if ((modifiers & modShift) != 0) {
        text += L"Shift + ";
    }
    if (keyCode != 0) {
        text += keyName(keyCode);
    }
    if (text.empty()) {
        text = L"None";
    }
    if (text.size() > maxHotkeyText) {
        text.resize(maxHotkeyText);
    }
    return text;
}

}  // namespace ui::input
