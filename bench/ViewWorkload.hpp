#pragma once

// The notebooks the filter benchmarks type into, and their baseline: a plain substring
// scan over the very strings the filter searches.

#include "app/model/Notebook.hpp"
#include "app/model/TextFilter.hpp"

#include <cstddef>
#include <string>
#include <vector>

namespace bench::view {

// Length of every note's text in the filter benchmarks.
constexpr std::size_t textLength = 600;

// A notebook of `size` notes of textLength characters, built on first use and kept for
// the whole run; the same notes on every run.
app::model::Notebook& notebookOf(int size);

// The strings the filter looks at for these fields, note by note, in its order.
struct Scan {
    std::vector<const std::wstring*> strings;
    std::vector<std::size_t> begin;  // per note, then one past the last
};

Scan scanOf(const app::model::Notebook& notebook, app::model::TextFilter::Fields fields);

// For every note, std::wstring::find(query) over its strings, stopping at the first hit,
// collecting the indices of the hits into `hits` (reserved by the caller). For the tags
// field the note's joined tag text is searched as a whole, which finds the same notes as
// the filter for a query without tag separators.
void plainScan(const Scan& scan, const std::wstring& query, std::vector<int>& hits);


}  // namespace bench::view
