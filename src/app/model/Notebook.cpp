#include "app/model/Notebook.hpp"

#include "err/Exceptions.hpp"

#include <stdexcept>

namespace app::model {

Notebook::Notebook() : notes_(std::make_shared<Notes>()) {}

Notebook::Notebook(Notes notes) : notes_(std::make_shared<Notes>(std::move(notes))) {}

Notebook::~Notebook() = default;

int Notebook::count() const {
    return static_cast<int>(notes_->size());
}

Note& Notebook::note(int index) {
    return const_cast<Note&>(static_cast<const Notebook&>(*this).note(index));
}

const Note& Notebook::note(int index) const {
    if (index < 0 || index >= count())
        throw std::out_of_range("invalid vector<T> subscript");
    return (*notes_)[static_cast<std::size_t>(index)];
}

int Notebook::addNote(const Note& note) {
    notes_->push_back(note);
    const int index = count() - 1;
    noteAdded(index);
    changed();
    return index;
}

int Notebook::appendNotes(Notes notes) {
    if (notes.empty())
        return 0;
    const int added = static_cast<int>(notes.size());
    notes_->reserve(notes_->size() + notes.size());
    for (Note& note : notes)
        notes_->push_back(std::move(note));
    noteAdded(count());
    changed();
    return added;
}

void Notebook::deleteNotes(const std::set<int>& indices) {
    auto kept = std::make_shared<Notes>();
    kept->reserve(notes_->size() > indices.size() ? notes_->size() - indices.size() : 0);
    for (int i = 0; i < count(); ++i) {
        if (indices.count(i) == 0)
            kept->push_back(std::move((*notes_)[static_cast<std::size_t>(i)]));
    }
    notes_ = std::move(kept);
    reset();
    changed();
}

void Notebook::deleteAll() {
    if (notes_->empty())
        return;
    notes_ = std::make_shared<Notes>();
    reset();
    changed();
}

bool Notebook::moveNotes(std::set<int>& indices, int delta) {
    if (indices.empty() || static_cast<int>(indices.size()) == count())
        return false;
    if (*indices.rbegin() == count() - 1 && delta > 0)
        return false;
    if (*indices.begin() == 0 && delta < 0)
        return false;
    bool moved = false;
    if (delta < 0) {
        for (int index : indices)
            moved = doMoveNote(index, delta) || moved;
    } else {
        for (auto it = indices.rbegin(); it != indices.rend(); ++it)
            moved = doMoveNote(*it, delta) || moved;
    }
    if (!moved)
        return false;
    changed();
    return true;
}

bool Notebook::doMoveNote(int index, int delta) {
    if (index >= count())
        err::throwInvalidArgument("app::model::Notebook::doMoveNote", "index < N");
    int step = delta;
    if (index + delta < 1)
        step = -index;
    else if (index + step >= count())
        step = count() - index - 1;
    if (step == 0)
        return false;
    std::swap((*notes_)[static_cast<std::size_t>(index)], (*notes_)[static_cast<std::size_t>(index + step)]);
    return true;
}

void Notebook::replaceTags(const std::wstring& from, const std::wstring& to) {
    const Note::Tags sources = Note::parseTags(from);
    for (Note& note : *notes_) {
        for (const std::wstring& tag : sources) {
            if (note.tags().count(tag) != 0) {
                note.removeTags(tag);
                note.addTags(to);
            }
        }
    }
    changed();
}

std::shared_ptr<Notebook> Notebook::snapshot() const {
    return std::make_shared<Notebook>(*notes_);
}

}  // namespace app::model

