#pragma once

#include "app/model/INotebook.hpp"
#include "app/model/Note.hpp"

#include <boost/signals2/signal.hpp>

#include <memory>
#include <set>
#include <vector>

namespace app::model {

// All notes of the program in one ordered sequence, with the signals through which every
// change becomes known. Listeners are called in the order they connected.
class Notebook : public INotebook {
public:
    using Notes = std::vector<Note>;

    Notebook();
    explicit Notebook(Notes notes);
    ~Notebook() override;
    Notebook(const Notebook&) = delete;
    Notebook& operator=(const Notebook&) = delete;

    int count() const override;
    Note& note(int index) override;
    const Note& note(int index) const;
    int addNote(const Note& note) override;
    // Appends all the notes at once (an import); when there are any, raises noteAdded with
    // the new count, then changed. Returns how many were added.
    int appendNotes(Notes notes);
    void deleteNotes(const std::set<int>& indices) override;
    void deleteAll() override;

    bool moveNotes(std::set<int>& indices, int delta);
    bool doMoveNote(int index, int delta);
    void replaceTags(const std::wstring& from, const std::wstring& to);

    // A private copy of every note, for writing on another thread.
    std::shared_ptr<Notebook> snapshot() const;
    const Notes& notes() const { return *notes_; }

    boost::signals2::signal<void()> changed;
    boost::signals2::signal<void(int)> noteAdded;
    boost::signals2::signal<void()> reset;

private:
    std::shared_ptr<Notes> notes_;
};

}  // namespace app::model
