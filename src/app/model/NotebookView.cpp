#include "app/model/NotebookView.hpp"

#include "app/model/Notebook.hpp"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace app::model {

NotebookView::NotebookView(Notebook& notebook) : notebook_(notebook) {
    positions_.reserve(static_cast<std::size_t>(notebook_.count()));
    rebuild();
    changedConnection_ = notebook_.changed.connect([this] { changed(); });
    noteAddedConnection_ = notebook_.noteAdded.connect([this](int index) { onNoteAdded(index); });
    resetConnection_ = notebook_.reset.connect([this] { onReset(); });
}

NotebookView::~NotebookView() = default;

int NotebookView::count() const {
    return static_cast<int>(positions_.size());
}

int NotebookView::indexAt(int position) const {
    if (position < 0 || position >= count())
        throw std::out_of_range("invalid vector<T> subscript");
    return positions_[static_cast<std::size_t>(position)];
}

Note& NotebookView::note(int position) {
    return notebook_.note(indexAt(position));
}

bool NotebookView::hasFilter() const {
    return filter_ != nullptr;
}

const Filter* NotebookView::filter() const {
    return filter_.get();
}

void NotebookView::setFilter(std::unique_ptr<Filter> filter) {
    filter_ = std::move(filter);
    rebuild();
    changed();
}

// Runs for every keystroke in the filter bar, over the whole notebook.
void NotebookView::rebuild() {
    const Notebook::Notes& notes = notebook_.notes();
    const int total = static_cast<int>(notes.size());
    positions_.clear();
    if (!filter_) {
        positions_.resize(notes.size());
        std::iota(positions_.begin(), positions_.end(), 0);
        return;
    }
    const Filter& filter = *filter_;
    for (int i = 0; i < total; ++i) {
        if (filter.matches(notes[static_cast<std::size_t>(i)]))
            positions_.push_back(i);
    }
}

void NotebookView::onNoteAdded(int index) {
    rebuild();
    noteAdded(index);
}

void NotebookView::onReset() {
    rebuild();
    reset();
}

// The notebook announces the deletion (and the view passes that on after rebuilding);
// the view then announces it once more for its own listeners.
void NotebookView::deleteNotes(const std::set<int>& positions) {
    std::set<int> indices;
    for (int position : positions)
        indices.insert(indices.end(), indexAt(position));
    notebook_.deleteNotes(indices);
    rebuild();
    reset();
    changed();
}

// Notes the filter hides stay in the notebook.
void NotebookView::deleteAll() {
    if (positions_.empty())
        return;
    notebook_.deleteNotes(std::set<int>(positions_.begin(), positions_.end()));
    rebuild();
    reset();
    changed();
}

// The notebook exchanges notes with their notebook neighbours, visible or not. With a
// filter that can swap a shown note with a hidden one, so the view is rebuilt, and the
// caller's set is given the positions where the moved notes now are: adding the delta to
// each position would leave the selection on notes that did not move.
bool NotebookView::moveNotes(std::set<int>& positions, int delta) {
    if (positions.empty())
        return false;
    std::set<int> indices;
    for (int position : positions)
        indices.insert(indices.end(), indexAt(position));
    if (static_cast<int>(positions.size()) == count())
        return false;
    if ((*positions.rbegin() == count() - 1 && delta > 0) || (*positions.begin() == 0 && delta < 0))
        return false;
    if (!notebook_.moveNotes(indices, delta))
        return false;
    if (filter_)
        rebuild();
    changed();
    std::set<int> moved;
    for (int index : indices) {
        const auto at = std::lower_bound(positions_.begin(), positions_.end(), index);
        if (at != positions_.end() && *at == index)
            moved.insert(moved.end(), static_cast<int>(at - positions_.begin()));
    }
    positions = std::move(moved);
    return true;
}

}  // namespace app::model
