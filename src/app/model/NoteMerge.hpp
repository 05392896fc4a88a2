#pragma once

#include <set>

namespace app::model {

class INotebookView;

// Merges the notes at these view positions into the first of them: its text gains the
// others' texts, each after an empty line, and their tags; the others are deleted through
// the view, which announces the change. Fewer than two positions change nothing. Returns
// whether notes were merged.
bool mergeNotes(INotebookView& view, const std::set<int>& positions);

}  // namespace app::model
