#pragma once

#include "app/Settings.hpp"
#include "unit/TempFolder.hpp"

#include <memory>
#include <string>
#include <vector>

namespace app {
class SettingsKeeper;
}
namespace app::model {
class Note;
class Notebook;
}  // namespace app::model

namespace e2e {

// A fresh, private program folder holding a copy of the freshly built varnel.exe, removed
// with everything in it when the object ends. Everything the program keeps is written
// here, so each test starts from its own files.
class ProgramFolder {
public:
    ProgramFolder();

    std::wstring path() const { return temp_.folder(); }
    std::wstring file(const std::wstring& name) const { return temp_.file(name); }
    bool exists(const std::wstring& name) const { return temp_.exists(name); }
    std::string read(const std::wstring& name) const { return temp_.read(name); }
    void write(const std::wstring& name, const std::string& bytes) const { temp_.write(name, bytes); }
    // The names in the folder (not in its subfolders).
    std::set<std::wstring> names() const { return temp_.names(); }

    // What interrupted or unfinished writes leave behind, in the folder and its backup
    // folder: temporary files, originals moved aside, write probes. Ask before reading
    // the notebook with the program's reader, which clears such files away.
    std::vector<std::wstring> leftovers() const;

    // The program's files read back with the program's own readers; both throw when the
    // file cannot be read.
    std::shared_ptr<app::model::Notebook> notebook() const;
    app::SettingsKeeper settings() const;
    // The notebook once it holds `count` notes (read again while it is being replaced);
    // whatever it held last when that did not happen in time, or null when it was never
    // readable.
    std::shared_ptr<app::model::Notebook> notebookOnceSaved(int count, unsigned timeoutMs = 20000) const;

    // A notebook file holding these notes, written before the start by the program's writer;
    // throws when it cannot be written.
    void writeNotebook(const std::vector<app::model::Note>& notes) const;

    // A preference stored before the start, through the program's own settings writer.
    template <class T>
    void storeSetting(const char* key, const T& value) const {
        app::Settings settings(file(L"varnel.settings"));
        settings.set<T>(key, value);
        settings.save();
    }

    // The varnel.exe of this build.
    static std::wstring builtProgram();

private:
    testing_support::TempFolder temp_;
};

}  // namespace e2e
