#pragma once

#include "app/model/Filter.hpp"
#include "app/model/Note.hpp"

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

    Fields fields() const { return fields_; }
    const std::wstring& query() const { return query_; }

private:
    bool tagsMatch(const std::wstring& tags) const;

    Fields fields_;
    std::wstring query_;
    std::vector<std::wstring> words_;
};

constexpr TextFilter::Fields operator|(TextFilter::Fields a, TextFilter::Fields b) {
    return static_cast<TextFilter::Fields>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

}  // namespace app::model
