#include "app/mainframe/noteslist/noterenderer/HiliteManager.hpp"

#include "err/Exceptions.hpp"

#include <algorithm>

namespace app::mainframe::noteslist::noterenderer {

namespace {

constexpr const char* multiLine = "app::mainframe::noteslist::noterenderer::HiliteManager::calcPxHiliteRanges";
constexpr const char* singleLine = "app::mainframe::noteslist::noterenderer::HiliteManager::calcLinePxHiliteRanges";

}  // namespace

HiliteManager::HiliteManager(Measure font) : font_(std::move(font)) {
    if (!font_) {
        err::throwInvalidArgument("app::mainframe::noteslist::noterenderer::HiliteManager::HiliteManager", "font");
    }
}

std::vector<HiliteManager::Range> HiliteManager::findMatches(const std::wstring& searchable,
                                                             const std::wstring& hilite) {
    std::vector<Range> matches;
    if (hilite.empty()) {
        return matches;
    }
    for (std::size_t at = searchable.find(hilite); at != std::wstring::npos;
         at = searchable.find(hilite, at + hilite.size())) {
        matches.emplace_back(static_cast<int>(at), static_cast<int>(at + hilite.size()));
    }
    return matches;
}

HiliteManager::PxRange HiliteManager::pixels(const wchar_t* line, int begin, int end) const {
    const int left = begin > 0 ? font_(line, begin) : 0;
    return {left, left + font_(line + begin, end - begin)};
}

// A match is split over the lines it spans; the parts that fall on no character (a match
// that starts on a consumed space, or ends where a wrapped line begins) get no box. The
// search stops at the first match that begins past the last wanted line.
const std::vector<HiliteManager::PxRanges>& HiliteManager::calcPxHiliteRanges(const std::wstring& searchable,
                                                                              const std::wstring& hilite,
                                                                              const LineBreaker& br, int firstLine,
                                                                              int lastLine) {
    if (!(!hilite.empty())) {
        err::throwInvalidArgument(multiLine, "!hilite.empty()");
    }
    if (!(!searchable.empty())) {
        err::throwInvalidArgument(multiLine, "!searchable.empty()");
    }
    if (!(searchable.length() >= hilite.length())) {
        err::throwInvalidArgument(multiLine, "searchable.length() >= hilite.length()");
    }
    if (!(br.getSource().length() == searchable.length())) {
        err::throwInvalidArgument(multiLine, "br.getSource().length() == searchable.length()");
    }

    const int last = lastLine < 0 ? br.getLineCount() : br.getLineCountUpTo(lastLine);
    const int first = std::clamp(firstLine, 0, last);
    lines_.assign(static_cast<std::size_t>(last), PxRanges());
    if (first >= last) {
        return lines_;
    }

    const std::wstring& source = br.getSource();
    for (std::size_t at = searchable.find(hilite); at != std::wstring::npos;
         at = searchable.find(hilite, at + hilite.size())) {
        const int begin = static_cast<int>(at);
        const int end = begin + static_cast<int>(hilite.size());
        const int s = br.getLineForIndex(begin);
        if (s >= last) {
            break;
        }
        const int e = br.getLineForIndex(end);
        for (int line = std::max(s, first); line <= e && line < last; ++line) {
            const LineBreaker::Range range = br.getRange(line);
            const int from = std::max(begin, range.first) - range.first;
            const int to = std::min(end, range.second) - range.first;
            if (from >= to) {
                continue;
            }
            lines_[static_cast<std::size_t>(line)].push_back(pixels(source.data() + range.first, from, to));
        }
    }
    return lines_;
}

const HiliteManager::PxRanges& HiliteManager::calcLinePxHiliteRanges(const std::wstring& source,
                                                                     const std::wstring& searchable,
                                                                     const std::wstring& hilite) {
    if (!(!hilite.empty())) {
        err::throwInvalidArgument(singleLine, "!hilite.empty()");
    }
    if (!(!searchable.empty())) {
        err::throwInvalidArgument(singleLine, "!searchable.empty()");
    }
    if (!(!source.empty())) {
        err::throwInvalidArgument(singleLine, "!source.empty()");
    }
    if (!(searchable.length() >= hilite.length())) {
        err::throwInvalidArgument(singleLine, "searchable.length() >= hilite.length()");
    }
    if (!(source.length() == searchable.length())) {
        err::throwInvalidArgument(singleLine, "source.length() == searchable.length()");
    }
    line_.clear();
    for (const Range& match : findMatches(searchable, hilite)) {
        line_.push_back(pixels(source.data(), match.first, match.second));
    }
    return line_;
}

}  // namespace app::mainframe::noteslist::noterenderer
