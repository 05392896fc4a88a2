#pragma once

#include "app/model/TextFilter.hpp"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace app::model {

// What recent text filters found in a notebook that has not changed since: typing more
// of a query searches only the last result, and Backspace returns to a result found
// before. Each result is one bit per note, so all of them together take no more than
// one list of every note's index.
class KeptResults {
public:
    static constexpr std::size_t capacity = 32;

    // What the results depend on besides the filter: every change to a note, and the
    // notebook's sequence of notes.
    struct Stamp {
        std::uint64_t noteChanges = 0;
        const void* notes = nullptr;
        std::size_t count = 0;
        bool operator==(const Stamp& other) const {
            return noteChanges == other.noteChanges && notes == other.notes && count == other.count;
        }
    };

    // Forgets every result.
    void clear();
    // Forgets every result found under another stamp or for other fields.
    void validate(const Stamp& stamp, TextFilter::Fields fields);

    // The result kept for exactly this filter, as ascending notebook indices.
    bool recall(const TextFilter& filter, std::vector<int>& indices);
    // The smallest kept result that holds every note the filter can match.
    bool narrowest(const TextFilter& filter, std::vector<int>& indices) const;
    // Keeps the result of this filter, forgetting the least recently used one when full.
    void keep(const TextFilter& filter, const std::vector<int>& indices);

    std::size_t size() const { return entries_.size(); }
    // Heap bytes the kept results take.
    std::size_t bytes() const;

private:
    struct Entry {
        TextFilter filter;
        std::vector<std::uint64_t> bits;
        std::size_t count;
    };

    void expand(const Entry& entry, std::vector<int>& indices) const;

    Stamp stamp_;
    TextFilter::Fields fields_ = TextFilter::All;
    std::deque<Entry> entries_;  // most recently used first
};

}  // namespace app::model
