#pragma once

#include "app/model/Filter.hpp"
#include "app/model/INotebookView.hpp"
#include "app/model/KeptResults.hpp"

#include <boost/signals2/connection.hpp>

#include <memory>
#include <set>
#include <vector>

namespace app::model {

class Notebook;

// The notebook's own view: the notebook indices of the notes that pass the filter, in
// ascending order. It listens to its notebook, connected before any other listener.
class NotebookView : public INotebookView {
public:
    explicit NotebookView(Notebook& notebook);
    ~NotebookView() override;
    NotebookView(const NotebookView&) = delete;
    NotebookView& operator=(const NotebookView&) = delete;

    int count() const override;
    Note& note(int position) override;
    bool hasFilter() const override;
    const Filter* filter() const override;
    void setFilter(std::unique_ptr<Filter> filter) override;
    void deleteNotes(const std::set<int>& positions) override;
    void deleteAll() override;
    bool moveNotes(std::set<int>& positions, int delta) override;

    // The notebook index shown at a view position.
    int indexAt(int position) const;
    // Heap bytes kept besides the result itself for narrowing and Backspace: the kept
    // results, and where the current result's notes were found.
    std::size_t keptBytes() const;

private:
    void rebuild();
    void refilter();
    void dropKept();
    KeptResults::Stamp stamp() const;
    void onNoteAdded(int index);
    void onReset();

    Notebook& notebook_;
    std::vector<int> positions_;
    std::unique_ptr<Filter> filter_;
    KeptResults kept_;
    // Where each note of positions_ was found, by hintsFilter_, under hintsStamp_.
    std::vector<TextFilter::Where> hints_;
    std::unique_ptr<TextFilter> hintsFilter_;
    KeptResults::Stamp hintsStamp_;
    boost::signals2::scoped_connection changedConnection_;
    boost::signals2::scoped_connection noteAddedConnection_;
    boost::signals2::scoped_connection resetConnection_;
};

}  // namespace app::model
