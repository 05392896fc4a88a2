#include "sys/platform/Platform.hpp"

#include <array>
#include <mutex>

namespace sys::platform {

// Per platform: lower-cases each code unit of the buffer in place, one for one.
void systemLowerCase(wchar_t* units, std::size_t count);

namespace {

// Folding runs over every character of every note on each load and edit, so the mapping
// of the whole basic plane is computed once and then looked up.
const std::array<wchar_t, 0x10000>& foldTable() {
    static std::array<wchar_t, 0x10000> table;
    static std::once_flag once;
    std::call_once(once, [] {
        for (unsigned c = 0; c < 0x100; ++c) {
            table[c] = static_cast<wchar_t>(c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c);
        }
        for (unsigned c = 0x100; c < 0x10000; ++c) {
            table[c] = static_cast<wchar_t>(c);
        }
        // Surrogate halves have no case of their own and stay as they are.
        systemLowerCase(&table[0x100], 0xD800 - 0x100);
        systemLowerCase(&table[0xE000], 0x10000 - 0xE000);
    });
    return table;
}

}  // namespace

void foldCase(std::wstring& text) {
    const auto& table = foldTable();
    for (wchar_t& c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code < 0x10000) {
            c = table[code];
        }
    }
}

std::wstring foldedCase(const std::wstring& text) {
    std::wstring result(text);
    foldCase(result);
    return result;
}

std::wstring trimmed(const std::wstring& text) {
    const auto blank = [](wchar_t c) { return c <= L' ' || isSpace(c); };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && blank(text[first])) {
        ++first;
    }
    while (last > first && blank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

}  // namespace sys::platform
