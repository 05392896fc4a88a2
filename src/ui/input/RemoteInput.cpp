#include "ui/input/RemoteInput.hpp"

#include "ui/input/KeyNames.hpp"

#include <vector>

namespace ui::input {

namespace {

// A virtual-key code no keyboard has and no program binds: pressing it in between makes the
// system treat a lone Alt or Win as part of a combination.
constexpr WORD maskingKey = 0xFF;

INPUT keyEvent(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (key) {
    case VK_RMENU:
    case VK_RCONTROL:
    case VK_LWIN:
    case VK_RWIN:
    case VK_INSERT:
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    return input;
}

void send(std::vector<INPUT>& events) {
    if (!events.empty()) {
        SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
    }
}

bool isDown(int key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

// Each modifier of a hot key mask with the keys that make it.
struct Modifier {
    unsigned mask;
    WORD keys[2];
};
constexpr Modifier modifierKeys[] = {
    {modAlt, {VK_LMENU, VK_RMENU}},
    {modCtrl, {VK_LCONTROL, VK_RCONTROL}},
    {modShift, {VK_LSHIFT, VK_RSHIFT}},
    {modWin, {VK_LWIN, VK_RWIN}},
};

}  // namespace

void pressKey(WORD key) {
    std::vector<INPUT> events{keyEvent(key, false), keyEvent(key, true)};
    send(events);
}

void sendKeyCombination(WORD modifier, WORD key) {
    std::vector<INPUT> events{keyEvent(modifier, false), keyEvent(key, false), keyEvent(key, true),
                              keyEvent(modifier, true)};
    send(events);
}

bool modifiersUp(unsigned modifiers) {
    for (const Modifier& modifier : modifierKeys) {
        if ((modifiers & modifier.mask) != 0 && (isDown(modifier.keys[0]) || isDown(modifier.keys[1]))) {
            return false;
        }
    }
    return true;
}

void releaseModifiers(unsigned modifiers) {
    std::vector<INPUT> events;
    for (const Modifier& modifier : modifierKeys) {
        if ((modifiers & modifier.mask) == 0) {
            continue;
        }
        for (WORD key : modifier.keys) {
            if (isDown(key)) {
                events.push_back(keyEvent(key, true));
            }
        }
    }
    if (events.empty()) {
        return;
    }
    events.insert(events.begin(), {keyEvent(maskingKey, false), keyEvent(maskingKey, true)});
    send(events);
}

bool withAttachedInput(HWND window, const std::function<void()>& step) {
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    if (target == 0) {
        return false;
    }
    if (target == self) {
        step();
        return true;
    }
    if (!AttachThreadInput(self, target, TRUE)) {
        return false;
    }
    struct Detach {
        DWORD self, target;
        ~Detach() { AttachThreadInput(self, target, FALSE); }
    } detach{self, target};
    step();
    return true;
}

}  // namespace ui::input
