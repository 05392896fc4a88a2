#include "app/model/NotebookView.hpp"

#include "app/model/Notebook.hpp"
#include "app/model/TextFilter.hpp"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace app::model {

NotebookView::NotebookView(Notebook& notebook) : notebook_(notebook) {
    positions_.reserve(static_cast<std::size_t>(notebook_.count()));
    rebuild();
    changedConnection_ = notebook_.changed.connect([this] {
        dropKept();
        changed();
    });
    noteAddedConnection_ = notebook_.noteAdded.connect([this](int index) { onNoteAdded(index); });
    resetConnection_ = notebook_.reset.connect([this] { onReset(); });
}

NotebookView::~NotebookView() = default;

int NotebookView::count() const {
    return static_cast<int>(positions_.size());
}

int NotebookView::indexAt(int position) const {
    if (position < 0 || position >= count()) {
        throw std::out_of_range("invalid vector<T> subscript");
    }
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
    refilter();
    changed();
}

// After a change to the notebook: nothing found before is used.
void NotebookView::rebuild() {
    dropKept();
    refilter();
}

void NotebookView::dropKept() {
    kept_.clear();
    hintsFilter_.reset();
}

// Runs for every keystroke in the filter bar. A text filter starts from what earlier
// ones found, as long as no note changed since (any change to a note's fields moves
// the stamp, whether or not a signal announced it): the result of the same query; or
// the last result, when this query narrows it, each note searched from where the last
// query was found in it; or the smallest kept result of a query this one narrows. Only
// otherwise are all notes searched.
void NotebookView::refilter() {
    const Notebook::Notes& notes = notebook_.notes();
    const auto* text = dynamic_cast<const TextFilter*>(filter_.get());
    if (!text) {
        hintsFilter_.reset();
        positions_.clear();
        if (!filter_) {
            positions_.resize(notes.size());
            std::iota(positions_.begin(), positions_.end(), 0);
            return;
        }
        const int total = static_cast<int>(notes.size());
        for (int i = 0; i < total; ++i) {
            if (filter_->matches(notes[static_cast<std::size_t>(i)])) {
                positions_.push_back(i);
            }
        }
        return;
    }
    const KeptResults::Stamp now = stamp();
    kept_.validate(now, text->fields());
    const bool fromLast = hintsFilter_ && hintsStamp_ == now && text->narrows(*hintsFilter_);
    if (kept_.recall(*text, positions_)) {
        hintsFilter_.reset();
        return;
    }
    if (fromLast) {
        text->selectAmong(notes, positions_, hints_, text->query().find(hintsFilter_->query()));
    } else {
        hints_.clear();
        if (kept_.narrowest(*text, positions_)) {
            text->selectAmong(notes, positions_, hints_, 0);
        } else {
            positions_.clear();
            text->selectAll(notes, positions_, hints_);
        }
    }
    kept_.keep(*text, positions_);
    hintsFilter_ = std::make_unique<TextFilter>(*text);
    hintsStamp_ = now;
}

std::size_t NotebookView::keptBytes() const {
    return kept_.bytes() + hints_.capacity() * sizeof(TextFilter::Where);
}

KeptResults::Stamp NotebookView::stamp() const {
    const Notebook::Notes& notes = notebook_.notes();
    return {Note::changeCount(), &notes, notes.size()};
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
    for (int position : positions) {
        indices.insert(indices.end(), indexAt(position));
    }
    notebook_.deleteNotes(indices);
    rebuild();
    reset();
    changed();
}

// Notes the filter hides stay in the notebook.
void NotebookView::deleteAll() {
    if (positions_.empty()) {
        return;
    }
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
    if (positions.empty()) {
        return false;
    }
    std::set<int> indices;
    for (int position : positions) {
        indices.insert(indices.end(), indexAt(position));
    }
    if (static_cast<int>(positions.size()) == count()) {
        return false;
    }
    if ((*positions.rbegin() == count() - 1 && delta > 0) || (*positions.begin() == 0 && delta < 0)) {
        return false;
    }
    if (!notebook_.moveNotes(indices, delta)) {
        return false;
    }
    if (filter_) {
        rebuild();
    }
    changed();
    std::set<int> moved;
    for (int index : indices) {
        const auto at = std::lower_bound(positions_.begin(), positions_.end(), index);
        if (at != positions_.end() && *at == index) {
            moved.insert(moved.end(), static_cast<int>(at - positions_.begin()));
        }
    }
    positions = std::move(moved);
    return true;
}

}  // namespace app::model
