#pragma once

#include "app/mainframe/noteslist/noterenderer/CharacterWidths.hpp"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace app::mainframe::noteslist::noterenderer {

// The lines of one text at one width. Lines are found on demand, from the start, only as
// far as a caller asks: a note of a hundred thousand characters shown in fifteen lines is
// broken for fifteen lines. What has been found never changes, so the answers are the same
// as if the whole text had been broken at once.
class LineBreaker {
public:
    using Range = std::pair<int, int>;  // begin, end (exclusive), in code units

    LineBreaker(std::wstring source, int width, std::shared_ptr<CharacterWidths> widths);
    // Shares a text that stays the same while it is held (a note's text): no copy.
    LineBreaker(std::shared_ptr<const std::wstring> source, int width, std::shared_ptr<CharacterWidths> widths);
    // The source may be the breaker's own member: not to be copied or moved.
    LineBreaker(const LineBreaker&) = delete;
    LineBreaker& operator=(const LineBreaker&) = delete;

    const std::wstring& getSource() const { return *source_; }
    int getWidth() const { return width_; }

    // The number of lines; breaks the whole text.
    int getLineCount() const;
    // min(getLineCount(), limit), breaking no further than the first limit lines.
    int getLineCountUpTo(int limit) const;

    std::wstring getLine(int index) const;
    Range getRange(int index) const;
    int getLineLength(int index) const;
    // The first line whose end is at or after the position.
    int getLineForIndex(int index) const;

private:
    bool breakNext() const;
    void breakUntilLine(int index) const;
    void checkLine(const char* function, int index) const;
    void start();

    std::wstring own_;                            // a text handed over
    std::shared_ptr<const std::wstring> shared_;  // or a text shared
    const std::wstring* source_;                  // whichever of the two
    int width_;
    std::shared_ptr<CharacterWidths> widths_;
    mutable std::vector<Range> ranges_;
    mutable int next_ = 0;
    mutable int lineFeed_ = -1;  // the first line feed from next_ on, or the length
    mutable bool complete_ = false;
};

}  // namespace app::mainframe::noteslist::noterenderer
