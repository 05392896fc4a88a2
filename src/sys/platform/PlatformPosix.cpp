#include "sys/platform/Platform.hpp"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <locale.h>
#include <stdexcept>
#include <time.h>
#include <unistd.h>
#include <wctype.h>

namespace sys::platform {

namespace {

locale_t utf8Locale() {
    static const locale_t locale = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
    }();
    return locale;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

void systemLowerCase(wchar_t* units, std::size_t count) {
    const locale_t locale = utf8Locale();
    for (std::size_t i = 0; i < count; ++i) {
        units[i] = static_cast<wchar_t>(towlower_l(static_cast<wint_t>(units[i]), locale));
    }
}

bool isSpace(wchar_t c) {
    return std::iswspace(static_cast<wint_t>(c)) != 0;
}

// The 8-bit code page of a Linux system is UTF-8. Invalid bytes become U+FFFD.
std::string narrow(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        appendUtf8(out, static_cast<char32_t>(c) > 0x10FFFF ? U'\uFFFD' : static_cast<char32_t>(c));
    }
    return out;
}

std::wstring widen(const std::string& text) {
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            valid = (cont & 0xC0) == 0x80;
            c = (c << 6) | (cont & 0x3F);
        }
        if (valid) {
            out += static_cast<wchar_t>(c);
            i += static_cast<std::size_t>(extra) + 1;
        } else {
            out += L'\uFFFD';
            ++i;
        }
    }
    return out;
}

std::wstring executablePath() {
    std::string buffer(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0) {
        return std::wstring();
    }
    buffer.resize(static_cast<std::size_t>(n));
    return widen(buffer);
}

unsigned long lastSystemError() {
    return static_cast<unsigned long>(errno);
}

std::string systemErrorText(unsigned long code) {
    const char* text = std::strerror(static_cast<int>(code));
    return text && *text ? std::string(text) + "\r\n" : std::string();
}

void sleepMilliseconds(unsigned milliseconds) {
    timespec ts{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {}
}

void debugOutput(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

std::uint32_t currentProcessId() {
    return static_cast<std::uint32_t>(getpid());
}

}  // namespace sys::platform
