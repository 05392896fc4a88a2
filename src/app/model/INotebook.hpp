#pragma once

#include <boost/signals2/signal.hpp>

#include <set>
#include <string>

namespace app::model {

class INotebookView;
class Note;

// The notebook as the windows and dialogs see it. Every change is announced through the
// signals; listeners are called in the order they connected, the notebook's own view first.
class INotebook {
public:
    virtual ~INotebook() = default;
    virtual int count() const = 0;
    virtual Note& note(int index) = 0;
    virtual INotebookView& view() = 0;
    virtual int addNote(const Note& note) = 0;
    virtual void deleteNotes(const std::set<int>& indices) = 0;
    virtual void deleteAll() = 0;
    // Writes every note to an XML file; returns how many.
    virtual int exportToXml(const std::wstring& path) = 0;

    // Something changed; code that edits a note in place raises it itself.
    boost::signals2::signal<void()> changed;
    // Notes were appended: the index of the one note added, or the new count.
    boost::signals2::signal<void(int)> noteAdded;
    // Notes were removed: every stored position is void.
    boost::signals2::signal<void()> reset;
};

}  // namespace app::model
