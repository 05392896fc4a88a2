#include "ui/MessageBox.hpp"

namespace ui {

namespace {

// One box at a time: the hook and the owner it centres on.
HHOOK centeringHook = nullptr;
HWND centeringOwner = nullptr;

void removeCenteringHook() {
    if (centeringHook != nullptr) {
        UnhookWindowsHookEx(centeringHook);
        centeringHook = nullptr;
    }
}

// The box's first activation is the moment it exists with its final size but is not yet
// painted: it is moved there, and the hook goes.
LRESULT CALLBACK centeringHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code != HCBT_ACTIVATE) {
        return CallNextHookEx(centeringHook, code, wParam, lParam);
    }
    HWND box = reinterpret_cast<HWND>(wParam);
    RECT desktop;
    RECT owner;
    RECT boxRect;
    if (centeringOwner != nullptr && GetWindowRect(GetDesktopWindow(), &desktop)
        && GetWindowRect(centeringOwner, &owner) && GetWindowRect(box, &boxRect)) {
        const int w = boxRect.right - boxRect.left;
        const int h = boxRect.bottom - boxRect.top;
        int x = owner.left + (owner.right - owner.left) / 2 - w / 2;
        int y = owner.top + (owner.bottom - owner.top) / 2 - h / 2;
        if (x < 0) {
            x = 0;
        }
        if (y < 0) {
            y = 0;
        }
        if (x + w > desktop.right) {
            x = desktop.right - w;
        }
        if (y + h > desktop.bottom) {
            y = desktop.bottom - h;
        }
        MoveWindow(box, x, y, w, h, FALSE);
    }
    removeCenteringHook();
    return 0;
}

}  // namespace

int centeredMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    removeCenteringHook();
    centeringOwner = owner;
    centeringHook = SetWindowsHookExW(WH_CBT, centeringHookProc, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(owner, text.c_str(), caption.c_str(), type);
    // A box that failed to appear never activated.
    removeCenteringHook();
    centeringOwner = nullptr;
    return answer;
}

int showInformation(HWND owner, const std::wstring& text, const std::wstring& caption) {
    return centeredMessageBox(owner, text, caption, MB_ICONINFORMATION | MB_OK);
}

int showWarning(HWND owner, const std::wstring& text, const std::wstring& caption) {
    return centeredMessageBox(owner, text, caption, MB_ICONWARNING | MB_OK);
}

int showError(HWND owner, const std::wstring& text, const std::wstring& caption) {
    return centeredMessageBox(owner, text, caption, MB_ICONERROR | MB_OK);
}

int askYesNo(HWND owner, const std::wstring& text, const std::wstring& caption) {
    return centeredMessageBox(owner, text, caption, MB_ICONQUESTION | MB_YESNO);
}

}  // namespace ui
