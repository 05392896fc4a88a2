#pragma once

#include <set>

namespace app::model {

class Note;

// The notebook as the windows and dialogs see it.
class INotebook {
public:
    virtual ~INotebook() = default;
    virtual int count() const = 0;
    virtual Note& note(int index) = 0;
    virtual int addNote(const Note& note) = 0;
    virtual void deleteNotes(const std::set<int>& indices) = 0;
    virtual void deleteAll() = 0;
};

}  // namespace app::model
