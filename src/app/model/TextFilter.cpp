#include "app/model/TextFilter.hpp"

#include "sys/platform/Platform.hpp"

#include <algorithm>

namespace app::model {

// The query is folded, and its tag words parsed, once here: a rebuild runs matches over
// every note of the notebook for each keystroke in the filter bar.
TextFilter::TextFilter(Fields fields, const std::wstring& query)
    : fields_(fields), query_(sys::platform::foldedCase(query)) {
    const Note::Tags words = Note::parseTags(query);
    words_.assign(words.begin(), words.end());
}

// The fields are tried in a fixed order, stopping at the first hit.
bool TextFilter::matches(const Note& note) const {
    if ((fields_ & Text) && note.searchText().find(query_) != std::wstring::npos)
        return true;
    if ((fields_ & Title) && note.searchTitle().find(query_) != std::wstring::npos)
        return true;
    if ((fields_ & Time) && note.searchTime().find(query_) != std::wstring::npos)
        return true;
    if ((fields_ & Link) && note.searchLink().find(query_) != std::wstring::npos)
        return true;
    if ((fields_ & Tags) && tagsMatch(note.searchTags()))
        return true;
    return false;
}

// Every word of the query must be part of some tag; a query of separators only has no
// words and so matches every note. The words hold no separators, so none of them can
// reach across the space between two tags of the joined tag text.
bool TextFilter::tagsMatch(const std::wstring& tags) const {
    return std::all_of(words_.begin(), words_.end(),
                       [&tags](const std::wstring& word) { return tags.find(word) != std::wstring::npos; });
}

}  // namespace app::model
