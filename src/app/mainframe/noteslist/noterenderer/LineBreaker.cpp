#include "app/mainframe/noteslist/noterenderer/LineBreaker.hpp"

#include "err/Exceptions.hpp"

#include <algorithm>
#include <cstdint>

namespace app::mainframe::noteslist::noterenderer {

namespace {

enum class Kind { none, lineFeed, space, punctuation };

// The code units the first pass of breakNext() measures without a second look: from the
// one after the line feed to the last below the surrogates. The null after the text is
// not among them.
constexpr unsigned ordinaryFirst = 0x0B;
constexpr unsigned ordinarySpan = 0xD800 - ordinaryFirst;

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
    : own_(std::move(source)), source_(&own_), width_(width), widths_(std::move(widths)) {
    start();
}

LineBreaker::LineBreaker(std::shared_ptr<const std::wstring> source, int width, std::shared_ptr<CharacterWidths> widths)
    : shared_(std::move(source)), source_(shared_.get()), width_(width), widths_(std::move(widths)) {
    if (!shared_) {
        err::throwInvalidArgument("LineBreaker::LineBreaker", "source");
    }
    start();
}

void LineBreaker::start() {
    if (!(width_ > 0)) {
        err::throwInvalidArgument("LineBreaker::LineBreaker", "width > 0");
    }
    if (!widths_) {
        err::throwInvalidArgument("LineBreaker::LineBreaker", "widths");
    }
    ranges_.reserve(8);
    if (source_->empty()) {
        ranges_.emplace_back(0, 0);
        complete_ = true;
    }
}

// Finds the line that starts at next_, in two passes. The first adds up widths until the
// width runs out, the text ends or a line feed comes; it looks at nothing but the width
// of ordinary characters, so spaces and marks cost no more than letters. The second looks
// back from where the first stopped for the last break opportunity it passed: the line
// ends there, or, when there was none, before the character that overflowed. No line is
// wider than the width but one of a single character wider than all of it. A surrogate
// pair is one character: measured whole, never split.
bool LineBreaker::breakNext() const {
    if (complete_) {
        return false;
    }
    const std::wstring& source = *source_;
    const int n = static_cast<int>(source.size());
    const int p = next_;
    // The string's terminating null stops the first loop at the end of the text.
    const wchar_t* text = source.c_str();
    CharacterWidths& widths = *widths_;
    const std::int16_t* known = widths.basicPlane();
    int remaining = width_;
    int examine = p;
    int last = p;  // where the character measured last begins
    bool lineFeed = false;
    if (lineFeed_ < p) {
        const std::size_t found = source.find(L'\n', static_cast<std::size_t>(p));
        lineFeed_ = found == std::wstring::npos ? n : static_cast<int>(found);
    }
    const int stop = lineFeed_;
    while (remaining > 0) {
        // Four characters at a time before the next line feed, while all are below the
        // surrogates and of known width. While all four leave room, none of them can have
        // used the width up (every width is at least 0); otherwise the width runs out at
        // one of them.
        while (stop - examine >= 4) {
            const wchar_t* at = text + examine;
            const unsigned c0 = static_cast<unsigned>(at[0]);
            const unsigned c1 = static_cast<unsigned>(at[1]);
            const unsigned c2 = static_cast<unsigned>(at[2]);
            const unsigned c3 = static_cast<unsigned>(at[3]);
            // Their bits together below the surrogates: then each of them is. (Some
            // characters from higher up come this way for nothing and are taken one by one.)
            if ((c0 | c1 | c2 | c3) >= 0xD800u) {
                break;
            }
            const int w0 = known[c0];
            const int w1 = known[c1];
            const int w2 = known[c2];
            const int w3 = known[c3];
            if ((w0 | w1 | w2 | w3) < 0) {
                break;
            }
            const int sum = w0 + w1 + w2 + w3;
            if (sum < remaining) {
                remaining -= sum;
                examine += 4;
                continue;
            }
            last = examine;
            remaining -= w0;
            if (remaining > 0) {
                last = examine + 1;
                remaining -= w1;
                if (remaining > 0) {
                    last = examine + 2;
                    remaining -= w2;
                    if (remaining > 0) {
                        last = examine + 3;
                        remaining -= w3;
                    }
                }
            }
            examine = last + 1;
            break;
        }
        if (remaining <= 0) {
            break;
        }
        const wchar_t c = text[examine];
        if (static_cast<unsigned>(c) - ordinaryFirst < ordinarySpan) {
            const int width = known[c];
            if (width >= 0) {
                last = examine;
                remaining -= width;
                ++examine;
                continue;
            }
        }
        if (examine >= n) {
            break;
        }
        if (c == L'\n') {
            lineFeed = true;
            break;
        }
        last = examine;
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
    if (lineFeed) {
        // The line feed is dropped.
        end = examine;
        begin = examine + 1;
    } else if (examine >= n && remaining >= 0) {
        // The rest of the text fits; earlier opportunities do not matter.
        end = n;
        begin = n;
    } else {
        // When the last character measured overflowed, the line must end before it: a mark
        // that overflowed is no opportunity, and a word with none is cut before it.
        const int limit = remaining < 0 ? last : examine;
        Kind chosen = Kind::none;
        int breakPos = examine - 1;
        for (; breakPos >= p; --breakPos) {
            chosen = classify(source, breakPos);
            if (chosen == Kind::punctuation && breakPos + 1 > limit) {
                chosen = Kind::none;
            }
            if (chosen != Kind::none) {
                break;
            }
        }
        if (chosen == Kind::none) {
            // No opportunity: the line takes what fits, or the one character wider than
            // the whole width, so that every line makes progress.
            end = remaining < 0 && last > p ? last : examine;
            begin = end;
        } else {
            end = chosen == Kind::punctuation ? breakPos + 1 : breakPos;
            begin = breakPos + 1;
        }
    }
    if (ranges_.size() == ranges_.capacity()) {
        // Room for as many lines more as the lines so far make likely for the rest, but
        // no more than four times as many as there are: a text broken only for its first
        // lines keeps no room for all of them.
        const std::size_t lines = ranges_.size();
        const std::size_t rest = static_cast<std::size_t>(n - begin);
        const std::size_t perLine = std::max<std::size_t>(static_cast<std::size_t>(begin) / (lines + 1), 1);
        ranges_.reserve(lines + std::clamp(rest / perLine + 2, lines, 4 * lines));
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
    return source_->substr(static_cast<std::size_t>(range.first), static_cast<std::size_t>(range.second - range.first));
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
    if (!(index <= static_cast<int>(source_->length()))) {
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
