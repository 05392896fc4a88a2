#include "sys/platform/Utf8.hpp"

#include <cstdint>

namespace sys::platform {

namespace {

constexpr std::uint32_t replacement = 0xFFFD;

void append(std::wstring& out, std::uint32_t c) {
    if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
        c -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(c));
    }
}

}  // namespace

std::wstring decodeUtf8(const char* bytes, std::size_t size) {
    std::wstring out;
    out.reserve(size);
    std::size_t i = 0;
    while (i < size) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        std::size_t tail = 0;
        std::uint32_t c = 0;
        std::uint32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            tail = 1, c = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            tail = 2, c = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            tail = 3, c = lead & 0x07, least = 0x10000;
        } else {
            append(out, replacement);
            ++i;
            continue;
        }
        std::size_t n = 1;
        for (; n <= tail && i + n < size; ++n) {
            const auto next = static_cast<unsigned char>(bytes[i + n]);
            if ((next & 0xC0) != 0x80) {
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (n <= tail || c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            // Only the lead byte is dropped: what follows it is decoded on its own.
            append(out, replacement);
            ++i;
            continue;
        }
        append(out, c);
        i += n;
    }
    return out;
}

}  // namespace sys::platform
