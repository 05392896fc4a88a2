#include "Session.hpp"

#include "app/model/Note.hpp"

namespace e2e {

Session::Session(const Prepare& prepare, const std::wstring& arguments) {
    if (prepare) {
        prepare(folder);
    }
    varnel = std::make_unique<VarnelProcess>(folder.path(), arguments);
    frame = varnel->waitForMainWindow();
    varnel->waitUntilIdle();
}

Session::Prepare notesWithTexts(const std::vector<std::wstring>& texts) {
    return [texts](const ProgramFolder& folder) {
        std::vector<app::model::Note> notes;
        for (const std::wstring& text : texts) {
            notes.emplace_back(text, std::wstring(), std::wstring(), app::model::Note::now());
        }
        folder.writeNotebook(notes);
    };
}

}  // namespace e2e
