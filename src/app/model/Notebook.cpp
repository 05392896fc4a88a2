#include "app/model/Notebook.hpp"

#include "app/model/NotebookExchange.hpp"
#include "err/Exceptions.hpp"

#include <stdexcept>

namespace app::model {

Notebook::Notebook() : Notebook(Notes()) {}

Notebook::Notebook(Notes notes)
    : notes_(std::make_shared<Notes>(std::move(notes))), view_(std::make_unique<NotebookView>(*this)) {}

Notebook::~Notebook() = default;

int Notebook::count() const {
    return static_cast<int>(notes_->size());
}

Note& Notebook::note(int index) {
    return const_cast<Note&>(static_cast<const Notebook&>(*this).note(index));
}

const Note& Notebook::note(int index) const {
    if (index < 0 || index >= count()) {
        throw std::out_of_range("invalid vector<T> subscript");
    }
    return (*notes_)[static_cast<std::size_t>(index)];
}

NotebookView& Notebook::view() {
    return *view_;
}

int Notebook::addNote(const Note& note) {
    notes_->push_back(note);
    const int index = count() - 1;
    noteAdded(index);
    changed();
    return index;
}

int Notebook::appendNotes(Notes notes) {
    if (notes.empty()) {
        return 0;
    }
    const int added = static_cast<int>(notes.size());
    notes_->reserve(notes_->size() + notes.size());
    for (Note& note : notes) {
        notes_->push_back(std::move(note));
    }
    noteAdded(count());
    changed();
    return added;
}

void Notebook::deleteNotes(const std::set<int>& indices) {
    auto kept = std::make_shared<Notes>();
    kept->reserve(notes_->size() > indices.size() ? notes_->size() - indices.size() : 0);
    for (int i = 0; i < count(); ++i) {
        if (indices.count(i) == 0) {
            kept->push_back(std::move((*notes_)[static_cast<std::size_t>(i)]));
        }
    }
    notes_ = std::move(kept);
    reset();
    changed();
}

void Notebook::deleteAll() {
    if (notes_->empty()) {
        return;
    }
    notes_ = std::make_shared<Notes>();
    reset();
    changed();
}

bool Notebook::moveNotes(std::set<int>& indices, int delta) {
    if (indices.empty() || static_cast<int>(indices.size()) == count()) {
        return false;
    }
    if (*indices.rbegin() == count() - 1 && delta > 0) {
        return false;
    }
    if (*indices.begin() == 0 && delta < 0) {
        return false;
    }
    // A bad index is refused before any note moves.
    if (*indices.begin() < 0) {
        err::throwInvalidArgument("app::model::Notebook::doMoveNote", "index >= 0");
    }
    if (*indices.rbegin() >= count()) {
        err::throwInvalidArgument("app::model::Notebook::doMoveNote", "index < N");
    }
    // Where each of the notes is now, following every exchange.
    std::vector<int> where(indices.begin(), indices.end());
    bool moved = false;
    const auto move = [&](int index) {
        const int partner = index + stepOf(index, delta);
        if (!doMoveNote(index, delta)) {
            return;
        }
        moved = true;
        for (int& at : where) {
            at = at == index ? partner : at == partner ? index : at;
        }
    };
    if (delta < 0) {
        for (int index : indices) {
            move(index);
        }
    } else {
        for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
            move(*it);
        }
    }
    if (!moved) {
        return false;
    }
    indices = std::set<int>(where.begin(), where.end());
    changed();
    return true;
}

// A step that would leave the notebook stops at its first or last note.
int Notebook::stepOf(int index, int delta) const {
    if (index + delta < 1) {
        return -index;
    }
    if (index + delta >= count()) {
        return count() - index - 1;
    }
    return delta;
}

bool Notebook::doMoveNote(int index, int delta) {
    if (index >= count()) {
        err::throwInvalidArgument("app::model::Notebook::doMoveNote", "index < N");
    }
    if (index < 0) {
        err::throwInvalidArgument("app::model::Notebook::doMoveNote", "index >= 0");
    }
    const int step = stepOf(index, delta);
    if (step == 0) {
        return false;
    }
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

int Notebook::exportToXml(const std::wstring& path) {
    return app::model::exportToXml(*this, path);
}

int Notebook::exportToText(const std::wstring& path) {
    return app::model::exportToText(*this, path);
}

int Notebook::importFromXml(const std::wstring& path) {
    return app::model::importFromXml(*this, path);
}

int Notebook::importFromNotebook(const std::wstring& path) {
    return app::model::importFromNotebook(*this, path);
}

}  // namespace app::model
