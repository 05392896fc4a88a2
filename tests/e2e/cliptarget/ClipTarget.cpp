// cliptarget.exe: a program to clip from, whose copy the end-to-end tests control. It shows
// a page of selectable text and, like a browser, an address field; Ctrl+C and Ctrl+Insert
// put the selection on the clipboard as Unicode text and as "HTML Format" with the page's
// address in the header, Ctrl+L selects the address field, and from there the copy keys
// copy the address as plain text. Every key and every change of focus is written to a log
// file, so a test can tell what reached the program and where the focus ended. Each line
// starts with the time in milliseconds on the performance counter, which all processes
// share, so a test can time the steps of a capture against its own clock.
//
// Arguments (each "--name=value"):
//   --text=T         the page text (default "clip target text")
//   --text-file=P    the page text from a UTF-8 file instead
//   --url=U          the address in the HTML data's "SourceURL:" header; without it the
//                    header has none
//   --address=A      the text of the address field (default "http://cliptarget.invalid/")
//   --class=C        the main window's class name (default "ClipTarget")
//   --title=T        the main window's title (default "Clip target")
//   --log=P          the log file (default: none)
//   --select=none    start with nothing selected (default: the whole page selected)
//   --copy-delay-ms=N  the copy keys copy N ms after they came, like a busy program
//   --menu           a menu bar; entering a menu is logged ("menu loop", "init menu",
//                    "key menu")

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int pageId = 101;
constexpr int addressId = 102;
constexpr UINT_PTR lateCopyTimer = 1;

struct Options {
    std::wstring text = L"clip target text";
    std::wstring url;
    bool hasUrl = false;
    std::wstring address = L"http://cliptarget.invalid/";
    std::wstring className = L"ClipTarget";
    std::wstring title = L"Clip target";
    std::wstring log;
    bool selectAll = true;
    unsigned copyDelayMs = 0;
    bool menu = false;
};

Options options;
HWND mainWindow = nullptr;
HWND page = nullptr;
HWND address = nullptr;
HWND lastFocus = nullptr;

std::string utf8(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

std::wstring fromUtf8(const std::string& bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
    return text;
}

void logLine(const std::string& line) {
    if (options.log.empty()) {
        return;
    }
    // Opened for each line: the test reads the file while the program runs.
    HANDLE file = CreateFileW(options.log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.3f ",
                  static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
    const std::string text = stamp + line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

const char* nameOf(HWND window) {
    if (window == page) {
        return "page";
    }
    if (window == address) {
        return "address";
    }
    return window == nullptr ? "none" : "other";
}

std::wstring textOf(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(edit, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::wstring selectionOf(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = textOf(edit);
    if (end > text.size()) {
        end = static_cast<DWORD>(text.size());
    }
    return start < end ? text.substr(start, end - start) : std::wstring();
}

std::string escapedHtml(const std::wstring& text) {
    std::string out;
    for (char c : utf8(text)) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The clipboard's HTML form: a header of byte offsets, then the page around the fragment.
std::string htmlFormatOf(const std::wstring& selection) {
    const std::string before = "<html><body>\r\n<!--StartFragment-->";
    const std::string fragment = escapedHtml(selection);
    const std::string after = "<!--EndFragment-->\r\n</body></html>";
    const std::string source = options.hasUrl ? "SourceURL:" + utf8(options.url) + "\r\n" : std::string();
    const char* layout =
        "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\nStartFragment:%010zu\r\n"
        "EndFragment:%010zu\r\n";
    char probe[256];
    const std::size_t headerLength =
        static_cast<std::size_t>(
            std::snprintf(probe, sizeof probe, layout, std::size_t{0}, std::size_t{0}, std::size_t{0}, std::size_t{0}))
        + source.size();
    const std::size_t startHtml = headerLength;
    const std::size_t startFragment = startHtml + before.size();
    const std::size_t endFragment = startFragment + fragment.size();
    const std::size_t endHtml = endFragment + after.size();
    char header[256];
    std::snprintf(header, sizeof header, layout, startHtml, endHtml, startFragment, endFragment);
    return header + source + before + fragment + after;
}

bool putBlock(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) {
        return false;
    }
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    if (SetClipboardData(format, block) == nullptr) {
        GlobalFree(block);
        return false;
    }
    return true;
}

bool openClipboard() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(mainWindow)) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

// What the copy keys do where the focus is: the page copies text and HTML, the address
// field its text alone. Nothing selected copies nothing, as in most programs.
void copy() {
    HWND focus = GetFocus();
    const bool fromPage = focus != address;
    const std::wstring selection = selectionOf(fromPage ? page : address);
    if (selection.empty()) {
        logLine(std::string("copy nothing from ") + nameOf(focus));
        return;
    }
    if (!openClipboard()) {
        logLine("copy clipboard busy");
        return;
    }
    EmptyClipboard();
    putBlock(CF_UNICODETEXT, selection.c_str(), (selection.size() + 1) * sizeof(wchar_t));
    if (fromPage) {
        const std::string html = htmlFormatOf(selection);
        putBlock(RegisterClipboardFormatW(L"HTML Format"), html.c_str(), html.size() + 1);
    }
    CloseClipboard();
    logLine(std::string("copy ") + std::to_string(selection.size()) + " from " + (fromPage ? "page" : "address"));
}

bool ctrlDown() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// Keys are seen before the edit controls get them: the copy keys and Ctrl+L are the
// program's own.
bool preTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) {
        return false;
    }
    const bool ctrl = ctrlDown();
    char line[96];
    std::snprintf(line, sizeof line, "key %s0x%02X focus %s", ctrl ? "ctrl+" : "", static_cast<unsigned>(msg.wParam),
                  nameOf(GetFocus()));
    logLine(line);
    if (ctrl && (msg.wParam == 'C' || msg.wParam == VK_INSERT)) {
        if (options.copyDelayMs > 0) {
            SetTimer(mainWindow, lateCopyTimer, options.copyDelayMs, nullptr);
        } else {
            copy();
        }
        return true;
    }
    if (ctrl && msg.wParam == 'L') {
        SetFocus(address);
        SendMessageW(address, EM_SETSEL, 0, -1);
        return true;
    }
    return false;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == lateCopyTimer) {
            KillTimer(window, lateCopyTimer);
            copy();
            return 0;
        }
        break;
    case WM_ENTERMENULOOP:
        logLine("menu loop");
        break;
    case WM_INITMENU:
        logLine("init menu");
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU) {
            logLine("key menu");
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_SETFOCUS) {
            logLine(std::string("focus ") + nameOf(reinterpret_cast<HWND>(lParam)));
        }
        break;
    case WM_ACTIVATE:
        // Like any program with fields, the focus returns to where it was when the window
        // is activated again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus == page || focus == address) {
                lastFocus = focus;
            }
        } else {
            SetFocus(lastFocus != nullptr ? lastFocus : page);
        }
        return 0;
    case WM_SIZE: {
        const int width = LOWORD(lParam);
        const int height = HIWORD(lParam);
        MoveWindow(address, 0, 0, width, 24, TRUE);
        MoveWindow(page, 0, 26, width, height > 26 ? height - 26 : 0, TRUE);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring readUtf8File(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::wstring();
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return fromUtf8(bytes);
}

void parse(int count, wchar_t** arguments) {
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments[i];
        const std::size_t equals = argument.find(L'=');
        const std::wstring name = argument.substr(0, equals);
        const std::wstring value = equals == std::wstring::npos ? std::wstring() : argument.substr(equals + 1);
        if (name == L"--text") {
            options.text = value;
        } else if (name == L"--text-file") {
            options.text = readUtf8File(value);
        } else if (name == L"--url") {
            options.url = value;
            options.hasUrl = true;
        } else if (name == L"--address") {
            options.address = value;
        } else if (name == L"--class") {
            options.className = value;
        } else if (name == L"--title") {
            options.title = value;
        } else if (name == L"--log") {
            options.log = value;
        } else if (name == L"--select") {
            options.selectAll = value != L"none";
        } else if (name == L"--copy-delay-ms") {
            options.copyDelayMs = static_cast<unsigned>(std::wcstoul(value.c_str(), nullptr, 10));
        } else if (name == L"--menu") {
            options.menu = true;
        }
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    parse(count, arguments);
    LocalFree(arguments);

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = options.className.c_str();
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    HMENU menuBar = nullptr;
    if (options.menu) {
        menuBar = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, 1, L"&Close");
        AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    }
    mainWindow = CreateWindowExW(0, options.className.c_str(), options.title.c_str(), WS_OVERLAPPEDWINDOW, 60, 60, 560,
                                 360, nullptr, menuBar, instance, nullptr);
    if (mainWindow == nullptr) {
        return 1;
    }
    address = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", options.address.c_str(),
                              WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10, mainWindow,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(addressId)), instance, nullptr);
    page = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", nullptr,
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL, 0, 0, 10,
                           10, mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(pageId)), instance, nullptr);
    SendMessageW(page, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    SetWindowTextW(page, options.text.c_str());
    ShowWindow(mainWindow, show);
    UpdateWindow(mainWindow);
    SetFocus(page);
    SendMessageW(page, EM_SETSEL, 0, options.selectAll ? -1 : 0);
    logLine("ready");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (preTranslate(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
