#pragma once

#include "app/model/INotebook.hpp"
#include "app/model/Note.hpp"
#include "app/model/NotebookView.hpp"

#include <memory>
#include <set>
#include <vector>

namespace app::model {

// All notes of the program in one ordered sequence, with the signals through which every
// change becomes known, and the one view of them that the windows work through.
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
    NotebookView& view() override;
    int addNote(const Note& note) override;
    // Appends all the notes at once (an import); when there are any, raises noteAdded with
    // the new count, then changed. Returns how many were added.
    int appendNotes(Notes notes);
    void deleteNotes(const std::set<int>& indices) override;
    void deleteAll() override;
    int exportToXml(const std::wstring& path) override;

    // Writes every note as plain text; returns how many.
    int exportToText(const std::wstring& path);
    // Add the notes of an XML export or of another notebook file, all or none: a file
    // that cannot be read leaves the notebook as it was and raises. Return how many.
    int importFromXml(const std::wstring& path);
    int importFromNotebook(const std::wstring& path);

    // Exchanges each note with the one delta places away; the set is then given the
    // indices where the moved notes ended up.
    bool moveNotes(std::set<int>& indices, int delta);
    bool doMoveNote(int index, int delta);
    void replaceTags(const std::wstring& from, const std::wstring& to);

    // A private copy of every note, for writing on another thread.
    std::shared_ptr<Notebook> snapshot() const;
    const Notes& notes() const { return *notes_; }

private:
    int stepOf(int index, int delta) const;

    std::shared_ptr<Notes> notes_;
    // Made in the constructor, so it is the first listener of every signal.
    std::unique_ptr<NotebookView> view_;
};

}  // namespace app::model
