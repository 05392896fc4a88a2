#pragma once

#include "app/model/Filter.hpp"
#include "app/model/Note.hpp"
#include "app/model/SubstringFinder.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace app::model {

// Finds the typed text in a chosen set of note fields. The query is folded to lower case
// and searched as a whole, spaces included; only the tags field splits it into words.
class TextFilter : public Filter {
public:
    enum Fields : unsigned {
        Title = 2,
        Text = 4,
        Time = 8,
        Link = 16,
        Tags = 32,
        TextAndTitle = Title | Text,
        All = Title | Text | Time | Link | Tags,
    };

    TextFilter(Fields fields, const std::wstring& query);

    bool matches(const Note& note) const override;

    // Where a note was found: the field, counted in the order the fields are searched,
    // in the top bits, and the offset of the query in it below them.
    using Where = std::uint32_t;

    // Appends the indices of all matching notes to `out`, and where each was found to
    // `where`. The same notes as matches() finds.
    void selectAll(const std::vector<Note>& notes, std::vector<int>& out, std::vector<Where>& where) const;
    // Keeps, in place, those of the notes at the given ascending indices that match, and
    // where each was found. When `where` comes filled, it tells where a filter this one
    // narrows found each note, and `shift` how far into this query that filter's query
    // lies: no note holds this query before those places, so the search starts there.
    void selectAmong(const std::vector<Note>& notes, std::vector<int>& indices, std::vector<Where>& where,
                     std::size_t shift) const;

    // Whether every note this filter matches is matched by `wider` too, whatever the notes
    // hold: then only wider's result needs searching.
    bool narrows(const TextFilter& wider) const;

    Fields fields() const { return fields_; }
    const std::wstring& query() const { return finder_.needle(); }

private:
    bool find(const Note& note, Where from, Where& found) const;
    bool tagsMatch(const std::wstring& tags) const;

    Fields fields_;
    SubstringFinder finder_;
    std::vector<std::wstring> words_;
};

constexpr TextFilter::Fields operator|(TextFilter::Fields a, TextFilter::Fields b) {
    return static_cast<TextFilter::Fields>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

}  // namespace app::model
