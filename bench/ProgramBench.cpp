#include "ProgramBench.hpp"

#include "Baselines.hpp"
#include "Ratios.hpp"
#include "Runner.hpp"

#include "app/model/Notebook.hpp"
#include "app/model/TextFilter.hpp"
#include "sys/platform/FileSystem.hpp"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace bench {

namespace {

std::wstring modulePath() {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::wstring(path.data(), length);
}

class ChildProcess {
public:
    explicit ChildProcess(const std::wstring& commandLine, const std::wstring& folder) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
        line.push_back(L'\0');
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                            &info_)) {
            throw std::runtime_error("CreateProcessW failed");
        }
    }
    ~ChildProcess() {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 30000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void waitForExit() const {
        if (WaitForSingleObject(info_.hProcess, 120000) != WAIT_OBJECT_0) {
            throw std::runtime_error("the child did not end");
        }
    }
    void waitUntilIdle() const {
        if (WaitForInputIdle(info_.hProcess, 120000) != 0) {
            throw std::runtime_error("varnel.exe did not become idle");
        }
    }
    DWORD processId() const { return info_.dwProcessId; }
    DWORD exitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_ = {};
};

// Sets up a program folder with varnel.exe and a copy of the notebook file; answers the
// command line that starts it there.
std::wstring programFolderFor(const std::wstring& notebookFile, std::wstring& folder) {
    const std::wstring benchExe = modulePath();
    const std::wstring buildFolder = sys::platform::folderOf(sys::platform::folderOf(benchExe));
    const std::wstring program = buildFolder + L"\\src\\varnel.exe";
    folder = sys::platform::folderOf(notebookFile) + L"\\program";
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!CopyFileW(program.c_str(), (folder + L"\\varnel.exe").c_str(), FALSE)
        || !CopyFileW(notebookFile.c_str(), (folder + L"\\notebook.dat").c_str(), FALSE)) {
        throw std::runtime_error("cannot set up the program folder");
    }
    return L"\"" + folder + L"\\varnel.exe\"";
}

struct Search {
    DWORD processId;
    HWND frame = nullptr;
};

HWND mainWindowOf(DWORD processId) {
    Search search{processId};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (owner == s->processId && std::wstring(name) == L"Oskel.Frame") {
                s->frame = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.frame;
}

HWND childOfClass(HWND parent, const wchar_t* className) {
    struct Find {
        const wchar_t* name;
        HWND found = nullptr;
    } find{className};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Find*>(param);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == f->name) {
                f->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int readFileAndExit(const std::wstring& path) {
    return readBytes(path).empty() ? 1 : 0;
}

constexpr DWORD startSettleMilliseconds = 3000;

void programStart(std::ostream& out, const std::wstring& notebookFile) {
    std::wstring folder;
    const std::wstring startVarnel = programFolderFor(notebookFile, folder);
    const std::wstring readFile = L"\"" + modulePath() + L"\" " + readFileSwitch + L" \"" + notebookFile + L"\"";

    DWORD readerCode = 0;
    runPairs(
        out, "start", 5,
        [&] {
            ChildProcess reader(readFile, folder);
            reader.waitForExit();
            readerCode = reader.exitCode();
        },
        [&] {
            // The process ends with the object, after the clock stopped.
            ChildProcess varnel(startVarnel, folder);
            varnel.waitUntilIdle();
        },
        // A process that holds a large notebook takes a while to go after it has been
        // ended, and until then the next process starts late (by up to two seconds under
        // Wine): each pair starts on a system that has settled, as a user's start does.
        [] { Sleep(startSettleMilliseconds); });
    if (readerCode != 0) {
        throw std::runtime_error("the reading child failed");
    }
    ratios::print(out, "start", ratios::mean("start.measured"), ratios::mean("start.baseline"), 5);
}

void programKeystrokes(std::ostream& out, const std::wstring& notebookFile, app::model::Notebook& notebook) {
    // A different word each round: the program keeps recent results, and a repeated word
    // would be answered from them.
    const std::wstring words[] = {L"restaurant", L"department", L"conference"};
    constexpr std::size_t length = 10;
    std::wstring folder;
    const std::wstring startVarnel = programFolderFor(notebookFile, folder);
    ChildProcess varnel(startVarnel, folder);
    varnel.waitUntilIdle();
    HWND frame = mainWindowOf(varnel.processId());
    HWND edit = frame != nullptr ? childOfClass(frame, L"Oskel.Edit") : nullptr;
    if (edit == nullptr) {
        throw std::runtime_error("cannot find the search box of varnel.exe");
    }
    app::model::INotebookView& view = notebook.view();
    constexpr int rounds = 3;
    std::vector<double> keySeconds(length), rebuildSeconds(length);
    for (int round = 0; round < rounds; ++round) {
        const std::wstring& word = words[round];
        SetWindowTextW(edit, L"");
        RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        notebook.changed();  // nothing kept from the last round
        for (std::size_t i = 0; i < length; ++i) {
            // The character is handled when SendMessage returns: the filter is installed and
            // the list invalidated; the redraw paints it.
            auto start = std::chrono::steady_clock::now();
            SendMessageW(edit, WM_CHAR, word[i], 1);
            RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            keySeconds[i] += secondsSince(start);

            start = std::chrono::steady_clock::now();
            view.setFilter(
                std::make_unique<app::model::TextFilter>(app::model::TextFilter::All, word.substr(0, i + 1)));
            rebuildSeconds[i] += secondsSince(start);
        }
    }
    view.setFilter(nullptr);
    double keys = 0, rebuilds = 0;
    for (std::size_t i = 0; i < length; ++i) {
        char line[160];
        std::snprintf(line, sizeof line, "TIME keystroke %zu: program %.2f ms, view rebuild %.2f ms\n", i + 1,
                      keySeconds[i] / rounds * 1000, rebuildSeconds[i] / rounds * 1000);
        out << line;
        keys += keySeconds[i];
        rebuilds += rebuildSeconds[i];
    }
    ratios::print(out, "keystroke.program_vs_rebuild", keys / rounds, rebuilds / rounds, 2);
}

}  // namespace bench
