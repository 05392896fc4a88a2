#include "app/model/NoteMerge.hpp"

#include "app/model/INotebookView.hpp"
#include "app/model/Note.hpp"

#include <iterator>
#include <string>
#include <vector>

namespace app::model {

bool mergeNotes(INotebookView& view, const std::set<int>& positions) {
    if (positions.size() < 2) {
        return false;
    }
    // Every position is looked up before anything changes, so a bad one leaves the notes
    // as they were.
    std::vector<Note*> notes;
    notes.reserve(positions.size());
    for (int position : positions) {
        notes.push_back(&view.note(position));
    }

    Note& target = *notes.front();
    std::wstring text = target.text();
    for (auto it = notes.begin() + 1; it != notes.end(); ++it) {
        text += L"\n\n";
        text += (*it)->text();
        target.addTags((*it)->tagString());
    }
    target.setText(std::move(text));

    // The deletion raises changed, which is what saves the edited target too.
    view.deleteNotes(std::set<int>(std::next(positions.begin()), positions.end()));
    return true;
}

}  // namespace app::model
