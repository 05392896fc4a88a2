#include "ViewWorkload.hpp"

#include "Workload.hpp"

#include <map>
#include <memory>

namespace bench::view {

using app::model::Note;
using app::model::TextFilter;

app::model::Notebook& notebookOf(int size) {
    static std::map<int, std::unique_ptr<app::model::Notebook>> notebooks;
    std::unique_ptr<app::model::Notebook>& notebook = notebooks[size];
    if (!notebook)
        notebook = bench::makeNotebook(size, textLength, 0x5EA5C4 + static_cast<std::uint64_t>(size));
    return *notebook;
}

Scan scanOf(const app::model::Notebook& notebook, TextFilter::Fields fields) {
    Scan scan;
    for (const Note& note : notebook.notes()) {
        scan.begin.push_back(scan.strings.size());
        if (fields & TextFilter::Text)
            scan.strings.push_back(&note.searchText());
        if (fields & TextFilter::Title)
            scan.strings.push_back(&note.searchTitle());
        if (fields & TextFilter::Time)
            scan.strings.push_back(&note.searchTime());
        if (fields & TextFilter::Link)
            scan.strings.push_back(&note.searchLink());
        if (fields & TextFilter::Tags)
            scan.strings.push_back(&note.searchTags());
    }
    scan.begin.push_back(scan.strings.size());
    return scan;
}

void plainScan(const Scan& scan, const std::wstring& query, std::vector<int>& hits) {
    hits.clear();
    const std::size_t notes = scan.begin.size() - 1;
    for (std::size_t i = 0; i < notes; ++i) {
        for (std::size_t k = scan.begin[i]; k < scan.begin[i + 1]; ++k) {
            if (scan.strings[k]->find(query) != std::wstring::npos) {
                hits.push_back(static_cast<int>(i));
                break;
            }
        }
    }
}

}  // namespace bench::view
