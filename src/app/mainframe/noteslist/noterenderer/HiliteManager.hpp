#pragma once

#include "app/mainframe/noteslist/noterenderer/LineBreaker.hpp"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace app::mainframe::noteslist::noterenderer {

// Turns the occurrences of a search text into pixel ranges per line. Widths come from the
// font's measure of a whole substring, taken with the flags the text is drawn with, so the
// boxes fit the glyphs (kerning, tabs) rather than a sum of character widths.
class HiliteManager {
public:
    using Range = std::pair<int, int>;    // code units, end exclusive
    using PxRange = std::pair<int, int>;  // pixels from the start of the line
    using PxRanges = std::vector<PxRange>;
    // The width of text[0, length) drawn as one piece in the font.
    using Measure = std::function<int(const wchar_t* text, int length)>;

    explicit HiliteManager(Measure font);

    // Per line of the broken text, the ranges of the matches on lines firstLine up to,
    // not including, lastLine (-1: all lines); the lines before firstLine are empty.
    const std::vector<PxRanges>& calcPxHiliteRanges(const std::wstring& searchable, const std::wstring& hilite,
                                                    const LineBreaker& br, int firstLine, int lastLine);
    // The ranges of the matches in a single-line string.
    const PxRanges& calcLinePxHiliteRanges(const std::wstring& source, const std::wstring& searchable,
                                           const std::wstring& hilite);

    // The matches, left to right and never overlapping: after each, the search goes on at
    // its end.
    static std::vector<Range> findMatches(const std::wstring& searchable, const std::wstring& hilite);

private:
    PxRange pixels(const wchar_t* line, int begin, int end) const;

    Measure font_;
    std::vector<PxRanges> lines_;
    PxRanges line_;
};

}  // namespace app::mainframe::noteslist::noterenderer
