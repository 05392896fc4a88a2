#include "app/mainframe/NoteAppearance.hpp"

#include "res/StringsBundle.hpp"

#include <algorithm>
#include <cstddef>

namespace app::mainframe {

// Concatenated, not formatted through a pattern: a face name may itself hold "{2}" and
// must come out as it is.
std::wstring describeFont(const app::Font& font) {
    std::wstring text = font.face + L" ";
    if (font.weight == 700) {
        text += res::getText("noteappearance.bold") + L" ";
    }
    if (font.italic) {
        text += res::getText("noteappearance.italic") + L" ";
    }
    text += std::to_wstring(static_cast<int>(font.size)) + L" " + res::getText("noteappearance.pt");
    return text;
}

int parseDisplayedLines(const std::wstring& text, int previous) {
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) {
        at = 1;
    }
    if (at == text.size()) {
        return previous;
    }
    // Digits past the range only keep the value at the top of it.
    int value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < L'0' || text[at] > L'9') {
            return previous;
        }
        value = std::min(value * 10 + (text[at] - L'0'), maxDisplayedLines + 1);
    }
    return negative ? minDisplayedLines : std::min(value, maxDisplayedLines);
}

}  // namespace app::mainframe
