#include "TopWindows.hpp"

namespace e2e {

std::wstring classNameOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring textOf(HWND window) {
    // WM_GETTEXT with a time-out: a window of another process that hangs must not hang the
    // test with it.
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

std::vector<HWND> topWindowsOf(DWORD processId, const std::wstring& className) {
    struct Search {
        DWORD processId;
        const std::wstring& className;
        std::vector<HWND> found;
    } search{processId, className, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId && (s.className.empty() || classNameOf(window) == s.className)) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring messageTextOf(HWND box) {
    // The message box's text is the static control with the id 0xFFFF; the icon is a
    // static control too, without text.
    std::wstring result;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(classNameOf(child).c_str(), L"Static") == 0 && GetDlgCtrlID(child) == 0xFFFF) {
            result = textOf(child);
        }
    }
    return result;
}

}  // namespace e2e
