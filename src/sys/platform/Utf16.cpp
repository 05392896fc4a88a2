#include "sys/platform/Utf16.hpp"

#include <cstdint>

namespace sys::platform {

namespace {

constexpr bool wideIsUtf16 = sizeof(wchar_t) == 2;

}  // namespace

std::size_t appendUtf16le(std::string& out, const std::wstring& text) {
    // Sized for one unit a character; a character beyond the basic plane grows it.
    const std::size_t at = out.size();
    out.resize(at + 2 * text.size());
    std::size_t p = at;
    auto put = [&out, &p](std::uint32_t unit) {
        out[p++] = static_cast<char>(unit);
        out[p++] = static_cast<char>(unit >> 8);
    };
    for (wchar_t wc : text) {
        auto c = static_cast<std::uint32_t>(wc);
        if (!wideIsUtf16 && c > 0xFFFF) {
            out.resize(out.size() + 2);
            c -= 0x10000;
            put(0xD800 + (c >> 10));
            put(0xDC00 + (c & 0x3FF));
        } else {
            put(c);
        }
    }
    return (p - at) / 2;
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
