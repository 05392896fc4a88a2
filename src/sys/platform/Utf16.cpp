#include "sys/platform/Utf16.hpp"

#include <cstdint>

namespace sys::platform {

namespace {

constexpr bool wideIsUtf16 = sizeof(wchar_t) == 2;

}  // namespace

std::size_t utf16Length(const std::wstring& text) {
    if constexpr (wideIsUtf16) {
        return text.size();
    } else {
        std::size_t units = text.size();
        for (wchar_t c : text)
            units += static_cast<std::uint32_t>(c) > 0xFFFF ? 1 : 0;
        return units;
    }
}

void appendUtf16le(std::string& out, const std::wstring& text) {
    const std::size_t at = out.size();
    out.resize(at + 2 * utf16Length(text));
    auto* p = reinterpret_cast<unsigned char*>(&out[at]);
    for (wchar_t wc : text) {
        auto c = static_cast<std::uint32_t>(wc);
        if (!wideIsUtf16 && c > 0xFFFF) {
            c -= 0x10000;
            const std::uint32_t high = 0xD800 + (c >> 10);
            const std::uint32_t low = 0xDC00 + (c & 0x3FF);
            *p++ = static_cast<unsigned char>(high);
            *p++ = static_cast<unsigned char>(high >> 8);
            *p++ = static_cast<unsigned char>(low);
            *p++ = static_cast<unsigned char>(low >> 8);
        } else {
            *p++ = static_cast<unsigned char>(c);
            *p++ = static_cast<unsigned char>(c >> 8);
        }
    }
}

std::wstring decodeUtf16le(const unsigned char* bytes, std::size_t units) {
    std::wstring text;
    text.resize(units);
    std::size_t n = 0;
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t c = bytes[2 * i] | (static_cast<std::uint32_t>(bytes[2 * i + 1]) << 8);
        if (!wideIsUtf16 && c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
            const std::uint32_t low = bytes[2 * i + 2] | (static_cast<std::uint32_t>(bytes[2 * i + 3]) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        text[n++] = static_cast<wchar_t>(c);
    }
    text.resize(n);
    return text;
}

}  // namespace sys::platform
