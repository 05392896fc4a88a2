#include "app/mainframe/noteslist/noterenderer/LineBreaker.hpp"

#include "err/Exceptions.hpp"

#include <algorithm>
#include <cstdint>

namespace app::mainframe::noteslist::noterenderer {

namespace {

enum class Kind { none, lineFeed, space, punctuation };

bool isHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// A space breaks only from position 3 on, and not right after a one-character word that
// follows a space: "a b" keeps the a with the word after it. A run of spaces breaks.
Kind classify(const std::wstring& s, int i) {
    switch (s[static_cast<std::size_t>(i)]) {
    case L'\n':
        return Kind::lineFeed;
    case L',':
    case L'-':
    case L':':
    case L';':
        return Kind::punctuation;
    case L' ':
        if (i >= 3 && (s[static_cast<std::size_t>(i - 2)] != L' ' || s[static_cast<std::size_t>(i - 1)] == L' ')) {
            return Kind::space;
        }
        return Kind::none;
    default:
        return Kind::none;
    }
}

}  // namespace

LineBreaker::LineBreaker(std::wstring source, int width, std::shared_ptr<CharacterWidths> widths)
    : source_(std::move(source)), width_(width), widths_(std::move(widths)) {
    if (!(width > 0)) {
        err::throwInvalidArgument("LineBreaker::LineBreaker", "width > 0");
    }
    if (!widths_) {
        err::throwInvalidArgument("LineBreaker::LineBreaker", "widths");
    }
    ranges_.reserve(8);
    if (source_.empty()) {
        ranges_.emplace_back(0, 0);
        complete_ = true;
    }
}

// Finds the line that starts at next_. Break opportunities are remembered as the width
// runs out; the line ends at the last one, or after the character that overflowed when
// there was none. A surrogate pair is one character: measured whole, never split.
bool LineBreaker::breakNext() const {
    const int n = static_cast<int>(source_.size());
    if (complete_) {
        return false;
    }
    const int p = next_;
    int remaining = width_;
    int examine = p;
    Kind chosen = Kind::none;
    int breakPos = -1;
    const wchar_t* text = source_.data();
    CharacterWidths& widths = *widths_;
    const std::int16_t* known = widths.basicPlane();
    while (remaining > 0 && examine < n) {
        const wchar_t c = text[examine];
        // Letters and most marks: no break opportunity, one code unit, below the
        // surrogates. Every break character is at most ';'.
        if (static_cast<unsigned>(c) - 0x3Cu < 0xD800u - 0x3Cu) {
            const int width = known[c];
            remaining -= width >= 0 ? width : widths.width(static_cast<char32_t>(c));
            ++examine;
            continue;
        }
        if (c == L' ') {
            if (classify(source_, examine) == Kind::space) {
                chosen = Kind::space;
                breakPos = examine;
            }
            const int width = known[c];
            remaining -= width >= 0 ? width : widths.width(static_cast<char32_t>(c));
            ++examine;
            continue;
        }
        const Kind kind = classify(source_, examine);
        if (kind != Kind::none) {
            chosen = kind;
            breakPos = examine;
            if (kind == Kind::lineFeed) {
                break;
            }
        }
        if (isHighSurrogate(c) && examine + 1 < n && isLowSurrogate(text[examine + 1])) {
            const char32_t pair = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10)
                                  + (static_cast<char32_t>(text[examine + 1]) - 0xDC00);
            remaining -= widths.width(pair);
            examine += 2;
        } else {
            remaining -= widths.width(static_cast<char32_t>(c));
            ++examine;
        }
    }
    int end = 0;
    int begin = 0;
    if (examine >= n) {
        // The rest of the text fits; earlier opportunities do not matter.
        end = n;
        begin = n;
    } else if (breakPos < 0) {
        // No opportunity: the line takes every character measured, the overflowing one too.
        end = examine;
        begin = examine;
    } else {
        end = chosen == Kind::punctuation ? breakPos + 1 : breakPos;
        begin = breakPos + 1;
    }
    ranges_.emplace_back(p, end);
    next_ = begin;
    if (next_ >= n) {
        complete_ = true;
    }
    return true;
}

void LineBreaker::breakUntilLine(int index) const {
    while (static_cast<int>(ranges_.size()) <= index && breakNext()) {}
}

int LineBreaker::getLineCount() const {
    while (breakNext()) {}
    return static_cast<int>(ranges_.size());
}

int LineBreaker::getLineCountUpTo(int limit) const {
    if (limit <= 0) {
        return 0;
    }
    breakUntilLine(limit - 1);
    return std::min(static_cast<int>(ranges_.size()), limit);
}

void LineBreaker::checkLine(const char* function, int index) const {
    if (!(index >= 0)) {
        err::throwInvalidArgument(function, "index >= 0");
    }
    breakUntilLine(index);
    if (!(index < static_cast<int>(ranges_.size()))) {
        err::throwInvalidArgument(function, "index < (int)ranges.size()");
    }
}

std::wstring LineBreaker::getLine(int index) const {
    checkLine("LineBreaker::getLine", index);
    const Range& range = ranges_[static_cast<std::size_t>(index)];
    return source_.substr(static_cast<std::size_t>(range.first), static_cast<std::size_t>(range.second - range.first));
}

LineBreaker::Range LineBreaker::getRange(int index) const {
    checkLine("LineBreaker::getRange", index);
    return ranges_[static_cast<std::size_t>(index)];
}

int LineBreaker::getLineLength(int index) const {
    const Range range = getRange(index);
    return range.second - range.first;
}

// Lines are found only as far as the position; the line itself by binary search.
int LineBreaker::getLineForIndex(int index) const {
    if (!(index <= static_cast<int>(source_.length()))) {
        err::throwInvalidArgument("LineBreaker::getLineForIndex", "index <= (int)source.length()");
    }
    while ((ranges_.empty() || ranges_.back().second < index) && breakNext()) {}
    const auto found = std::lower_bound(ranges_.begin(), ranges_.end(), index,
                                        [](const Range& range, int position) { return range.second < position; });
    if (found == ranges_.end()) {
        throw err::RuntimeException("");
    }
    return static_cast<int>(found - ranges_.begin());
}

}  // namespace app::mainframe::noteslist::noterenderer
