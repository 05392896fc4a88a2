#include "ProgramFolder.hpp"

#include "Wait.hpp"

#include "app/SettingsKeeper.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookStore.hpp"
#include "sys/platform/FileSystem.hpp"

#include <windows.h>

#include <filesystem>
#include <stdexcept>

namespace e2e {

namespace {

bool isLeftover(const std::wstring& name) {
    auto endsWith = [&](const std::wstring& end) {
        return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
    };
    return name.find(L".~vnl") != std::wstring::npos || name.rfind(L"~varnel-", 0) == 0 || endsWith(L".tmp")
           || endsWith(L".old");
}

}  // namespace

ProgramFolder::ProgramFolder() {
    const std::wstring program = builtProgram();
    if (!CopyFileW(program.c_str(), file(L"varnel.exe").c_str(), FALSE)) {
        throw std::runtime_error("cannot copy varnel.exe into the program folder");
    }
}

std::wstring ProgramFolder::builtProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    // The test executable lies a level or two below the build folder, the program in its
    // src folder.
    std::wstring folder = sys::platform::folderOf(path);
    for (int level = 0; level < 4 && !folder.empty(); ++level) {
        const std::wstring candidate = folder + L"\\src\\varnel.exe";
        if (GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return candidate;
        }
        folder = sys::platform::folderOf(folder);
    }
    throw std::runtime_error("varnel.exe is not in the build folder; build the varnel target");
}

std::vector<std::wstring> ProgramFolder::leftovers() const {
    std::vector<std::wstring> found;
    for (const std::wstring& sub : {std::wstring(), std::wstring(L"backup")}) {
        const std::filesystem::path folder = sub.empty() ? temp_.path() : temp_.path() / sub;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::wstring name = entry.path().filename().wstring();
            if (isLeftover(name)) {
                found.push_back(sub.empty() ? name : sub + L"\\" + name);
            }
        }
    }
    return found;
}

std::shared_ptr<app::model::Notebook> ProgramFolder::notebook() const {
    return app::model::loadNotebook(file(L"notebook.dat"));
}

void ProgramFolder::writeNotebook(const std::vector<app::model::Note>& notes) const {
    app::model::Notebook notebook;
    for (const app::model::Note& note : notes) {
        notebook.addNote(note);
    }
    if (!app::model::saveNotebook(notebook, file(L"notebook.dat"))) {
        throw std::runtime_error("cannot write the notebook of the test");
    }
}

std::shared_ptr<app::model::Notebook> ProgramFolder::notebookOnceSaved(int count, unsigned timeoutMs) const {
    std::shared_ptr<app::model::Notebook> notebook;
    waitUntil(
        [&] {
            try {
                notebook = this->notebook();
                return notebook->count() == count;
            } catch (const std::exception&) {
                return false;  // not there yet, or being replaced at this moment
            }
        },
        timeoutMs);
    return notebook;
}

app::SettingsKeeper ProgramFolder::settings() const {
    return app::SettingsKeeper(file(L"varnel.settings"));
}

}  // namespace e2e
