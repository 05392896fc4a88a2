#include "sys/platform/Platform.hpp"

#include <windows.h>

#include <cwctype>
#include <vector>

namespace sys::platform {

void systemLowerCase(wchar_t* units, std::size_t count) {
    std::vector<wchar_t> mapped(count);
    const int n = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, units, static_cast<int>(count), mapped.data(),
                               static_cast<int>(count));
    if (n == static_cast<int>(count)) {
        std::copy(mapped.begin(), mapped.end(), units);
        return;
    }
    // Not one for one over the whole range: map each code unit on its own.
    for (std::size_t i = 0; i < count; ++i) {
        wchar_t out = units[i];
        if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, &units[i], 1, &out, 1) == 1) {
            units[i] = out;
        }
    }
}

bool isSpace(wchar_t c) {
    return std::iswspace(static_cast<wint_t>(c)) != 0;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    }
    return out;
}

std::wstring widen(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    }
    return out;
}

std::wstring executablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return std::wstring();
        }
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

unsigned long lastSystemError() {
    return GetLastError();
}

std::string systemErrorText(unsigned long code) {
    char* buffer = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (buffer) {
        text.assign(buffer, n);
        LocalFree(buffer);
    }
    return text;
}

void sleepMilliseconds(unsigned milliseconds) {
    Sleep(milliseconds);
}

void debugOutput(const std::string& text) {
    OutputDebugStringA(text.c_str());
}

std::uint32_t currentProcessId() {
    return GetCurrentProcessId();
}

}  // namespace sys::platform
