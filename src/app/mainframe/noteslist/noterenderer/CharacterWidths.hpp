#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace app::mainframe::noteslist::noterenderer {

// The advance widths of characters in one font, measured once each. A character is a code
// point: a surrogate pair is measured as one character, never as two halves.
class CharacterWidths {
public:
    using Measure = std::function<int(char32_t)>;

    explicit CharacterWidths(Measure measure);

    int width(char32_t c) {
        if (c < table_.size()) {
            const std::int16_t known = table_[c];
            if (known >= 0) {
                return known;
            }
        }
        return measure(c);
    }

    // The widths of the basic plane measured so far, -1 where not yet: for loops that
    // look up one code unit after another and call width() only on a -1.
    const std::int16_t* basicPlane() const { return table_.data(); }

    // How many times the measure was asked; each character at most once while cached.
    std::size_t measured() const { return measured_; }

private:
    int measure(char32_t c);

    Measure measure_;
    std::vector<std::int16_t> table_;                  // the basic plane, -1 until measured
    std::unordered_map<char32_t, int> supplementary_;  // characters written as surrogate pairs
    std::size_t measured_ = 0;
};

}  // namespace app::mainframe::noteslist::noterenderer
