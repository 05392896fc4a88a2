#include "Input.hpp"

#include "Wait.hpp"

#include <cstring>
#include <cwchar>
#include <vector>

namespace e2e {

namespace {

INPUT keyInput(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (virtualKey == VK_LWIN || virtualKey == VK_RWIN) {
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    }
    return input;
}

void send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Let the target's thread take the input before the next step looks at the result.
    Sleep(50);
}

}  // namespace

namespace {

// The shown popup menus, of any process: menus are windows of the class "#32768".
int shownMenus() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wcscmp(name, L"#32768") == 0 && IsWindowVisible(window)) {
                ++*reinterpret_cast<int*>(param);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

bool chooseMenu(WORD menuLetter, std::initializer_list<WORD> entryLetters) {
    // A letter that arrives before its menu is shown goes to the window instead.
    int depth = shownMenus();
    pressKey(menuLetter, false, true);
    for (WORD letter : entryLetters) {
        ++depth;
        if (!waitUntil([&] { return shownMenus() >= depth; })) {
            return false;
        }
        pressKey(letter);
    }
    return true;
}

// Under Wine the X server has its say after SetForegroundWindow: a focus event of a window
// mapped just before can take the foreground back, and the key map the X server sends with
// a focus change resets the modifiers Wine holds down (a Ctrl sent in that moment is lost).
// So the window must stay in front for a moment before keys go to it.
bool bringToFront(HWND window) {
    return waitUntil(
        [&] {
            if (GetForegroundWindow() != window) {
                SetForegroundWindow(window);
                return false;
            }
            Sleep(150);
            return GetForegroundWindow() == window;
        },
        5000);
}

void pressKey(WORD virtualKey, bool ctrl, bool alt, bool shift) {
    std::vector<INPUT> inputs;
    const WORD modifiers[] = {VK_CONTROL, VK_MENU, VK_SHIFT};
    const bool held[] = {ctrl, alt, shift};
    for (int i = 0; i < 3; ++i) {
        if (held[i]) {
            inputs.push_back(keyInput(modifiers[i], false));
        }
    }
    inputs.push_back(keyInput(virtualKey, false));
    inputs.push_back(keyInput(virtualKey, true));
    for (int i = 2; i >= 0; --i) {
        if (held[i]) {
            inputs.push_back(keyInput(modifiers[i], true));
        }
    }
    send(inputs);
}

void keyDown(WORD virtualKey) {
    std::vector<INPUT> inputs{keyInput(virtualKey, false)};
    send(inputs);
}

void keyUp(WORD virtualKey) {
    std::vector<INPUT> inputs{keyInput(virtualKey, true)};
    send(inputs);
}

void typeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t unit : text) {
        for (bool up : {false, true}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    send(inputs);
}

void clickAt(POINT screenPoint) {
    SetCursorPos(screenPoint.x, screenPoint.y);
    std::vector<INPUT> inputs(2);
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send(inputs);
}

std::optional<POINT> closeBoxOf(HWND window) {
    RECT frame = {};
    if (!GetWindowRect(window, &frame)) {
        return std::nullopt;
    }
    // The caption buttons sit in the top band at the right; the window answers where
    // exactly.
    const int band = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + 8;
    for (int y = frame.top + 1; y < frame.top + band && y < frame.bottom; ++y) {
        for (int x = frame.right - 2; x > frame.right - 120 && x > frame.left; --x) {
            DWORD_PTR hit = HTNOWHERE;
            if (SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit)
                && hit == HTCLOSE) {
                // From the first hit found, step to the middle of the box.
                int right = x;
                int bottom = y;
                DWORD_PTR more = HTCLOSE;
                while (more == HTCLOSE && bottom < frame.bottom) {
                    ++bottom;
                    SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, bottom), SMTO_ABORTIFHUNG, 2000, &more);
                }
                more = HTCLOSE;
                int left = x;
                while (more == HTCLOSE && left > frame.left) {
                    --left;
                    SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(left, y), SMTO_ABORTIFHUNG, 2000, &more);
                }
                return POINT{(left + right + 1) / 2, (y + bottom) / 2};
            }
        }
    }
    return std::nullopt;
}

std::optional<std::wstring> clipboardText() {
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) {
        return std::nullopt;
    }
    std::optional<std::wstring> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = std::wstring(units);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool setClipboardText(const std::wstring& text) {
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) {
        return false;
    }
    EmptyClipboard();
    bool done = false;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(block), text.c_str(), bytes);
        GlobalUnlock(block);
        done = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        if (!done) {
            GlobalFree(block);
        }
    }
    CloseClipboard();
    return done;
}

}  // namespace e2e
