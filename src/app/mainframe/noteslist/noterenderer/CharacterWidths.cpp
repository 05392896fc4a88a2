#include "app/mainframe/noteslist/noterenderer/CharacterWidths.hpp"

#include "err/Exceptions.hpp"

#include <algorithm>
#include <limits>

namespace app::mainframe::noteslist::noterenderer {

namespace {

// Characters beyond the basic plane are rare in notes (emoji, historic scripts); the map
// of their widths is dropped when it reaches this size rather than growing without end.
constexpr std::size_t supplementaryLimit = 4096;

}  // namespace

CharacterWidths::CharacterWidths(Measure measure) : measure_(std::move(measure)), table_(0x10000, -1) {
    if (!measure_) {
        err::throwInvalidArgument("app::mainframe::noteslist::noterenderer::CharacterWidths::CharacterWidths",
                                  "measure");
    }
}

int CharacterWidths::measure(char32_t c) {
    if (c >= table_.size()) {
        const auto found = supplementary_.find(c);
        if (found != supplementary_.end()) {
            return found->second;
        }
    }
    ++measured_;
    // A width the breaker can add up safely: never negative, never near overflow.
    const int width = std::clamp(measure_(c), 0, static_cast<int>(std::numeric_limits<std::int16_t>::max()));
    if (c < table_.size()) {
        table_[c] = static_cast<std::int16_t>(width);
    } else {
        if (supplementary_.size() >= supplementaryLimit) {
            supplementary_.clear();
        }
        supplementary_.emplace(c, width);
    }
    return width;
}

}  // namespace app::mainframe::noteslist::noterenderer
