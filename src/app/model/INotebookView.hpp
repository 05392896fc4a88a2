#pragma once

#include <boost/signals2/signal.hpp>

#include <memory>
#include <set>

namespace app::model {

class Filter;
class Note;

// The notes that pass the current filter, in notebook order, addressed by view position.
// Lists, commands and dialogs work through the view, never on the notebook directly.
class INotebookView {
public:
    virtual ~INotebookView() = default;
    virtual int count() const = 0;
    virtual Note& note(int position) = 0;
    virtual bool hasFilter() const = 0;
    virtual const Filter* filter() const = 0;
    // Takes the filter over (null shows every note), rebuilds and raises changed.
    virtual void setFilter(std::unique_ptr<Filter> filter) = 0;
    virtual void deleteNotes(const std::set<int>& positions) = 0;
    virtual void deleteAll() = 0;
    // Moves the notes at these positions and makes the set follow them.
    virtual bool moveNotes(std::set<int>& positions, int delta) = 0;

    boost::signals2::signal<void()> changed;
    boost::signals2::signal<void(int)> noteAdded;
    boost::signals2::signal<void()> reset;
};

}  // namespace app::model
