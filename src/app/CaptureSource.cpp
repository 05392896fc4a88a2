#include "app/CaptureSource.hpp"

#include "sys/platform/Utf8.hpp"

#include <algorithm>
#include <cstring>

namespace app {

namespace {

constexpr const char sourceUrlName[] = "SourceURL";

bool isAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool isHeaderNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// A header offset that lies inside the data, or `size` when the value is no such number
// (absent, negative like the "-1" of a missing part, too long, or past the end).
std::size_t offsetWithin(const char* value, std::size_t length, std::size_t size) {
    std::size_t number = 0;
    std::size_t digits = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = value[i];
        if (c < '0' || c > '9') {
            return size;
        }
        number = number * 10 + static_cast<std::size_t>(c - '0');
        if (number > size) {
            return size;
        }
        ++digits;
    }
    return digits == 0 ? size : number;
}

}  // namespace

// The header is the run of "Name:value" lines at the start of the data. It ends at the
// first line that is not one, at the first zero byte, at the end of the data, and at the
// earliest offset the header itself gives for the HTML or the fragment (whatever those
// offsets say, nothing past the data is read).
std::wstring extractSourceUrl(const std::string& data) {
    const char* bytes = data.data();
    std::size_t end = std::min(data.size(), std::strlen(bytes));
    std::wstring url;
    bool found = false;
    std::size_t urlLineEnd = 0;
    std::size_t at = 0;
    while (at < end) {
        std::size_t lineEnd = at;
        while (lineEnd < end && bytes[lineEnd] != '\n' && bytes[lineEnd] != '\r') {
            ++lineEnd;
        }
        std::size_t colon = at;
        while (colon < lineEnd && isHeaderNameChar(bytes[colon])) {
            ++colon;
        }
        if (colon == at || colon == lineEnd || bytes[colon] != ':') {
            break;
        }
        const std::string name(bytes + at, colon - at);
        const char* value = bytes + colon + 1;
        const std::size_t valueLength = lineEnd - colon - 1;
        if (name == "StartHTML" || name == "StartFragment" || name == "StartSelection") {
            end = std::min(end, offsetWithin(value, valueLength, end));
        } else if (name == sourceUrlName && !found && lineEnd < end) {
            std::size_t first = 0;
            std::size_t last = valueLength;
            while (first < last && isAsciiSpace(value[first])) {
                ++first;
            }
            while (last > first && isAsciiSpace(value[last - 1])) {
                --last;
            }
            url = sys::platform::decodeUtf8(value + first, last - first);
            found = true;
            urlLineEnd = lineEnd;
        }
        at = lineEnd;
        if (at < end && bytes[at] == '\r') {
            ++at;
        }
        if (at < end && bytes[at] == '\n') {
            ++at;
        }
    }
    // An offset read after the address may still say the header ended before it.
    return found && urlLineEnd < end ? url : std::wstring();
}

TargetKind classifyTarget(const std::wstring& moduleName, const std::wstring& className,
                          const std::wstring& windowTitle) {
    if (moduleName == L"iexplore.exe" && className == L"IEFrame") {
        return TargetKind::InternetExplorer;
    }
    if (windowTitle.find(L"Opera") != std::wstring::npos && className == L"OpWindow") {
        return TargetKind::Opera;
    }
    if ((moduleName == L"firefox.exe" && className == L"MozillaUIWindowClass")
        || (moduleName == L"netscape.exe" && className == L"NS_AE_WindowClass") || moduleName == L"mozilla.exe") {
        return TargetKind::Mozilla;
    }
    // The system console, Windows Terminal, ConEmu and mintty; Wine's console host too.
    static const wchar_t* const consoleClasses[] = {L"ConsoleWindowClass", L"CASCADIA_HOSTING_WINDOW_CLASS",
                                                    L"VirtualConsoleClass", L"mintty"};
    static const wchar_t* const consoleModules[] = {L"conhost.exe", L"windowsterminal.exe", L"wineconsole.exe",
                                                    L"mintty.exe"};
    for (const wchar_t* name : consoleClasses) {
        if (className == name) {
            return TargetKind::Console;
        }
    }
    for (const wchar_t* name : consoleModules) {
        if (moduleName == name) {
            return TargetKind::Console;
        }
    }
    return TargetKind::Other;
}

LinkMethod linkMethodFor(TargetKind kind) {
    switch (kind) {
    case TargetKind::InternetExplorer:
        return LinkMethod::ReadAddressBar;
    case TargetKind::Opera:
    case TargetKind::Mozilla:
        return LinkMethod::CopyAddressBar;
    default:
        return LinkMethod::None;
    }
}

bool htmlMayLag(TargetKind kind) {
    return kind == TargetKind::InternetExplorer || kind == TargetKind::Mozilla;
}

FocusRestore focusRestoreFor(TargetKind kind) {
    switch (kind) {
    case TargetKind::Opera:
        return FocusRestore::PressF9;
    case TargetKind::Mozilla:
        return FocusRestore::SetFocus;
    default:
        return FocusRestore::None;
    }
}

}  // namespace app
