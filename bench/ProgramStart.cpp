#include "ProgramStart.hpp"

#include "Baselines.hpp"
#include "Ratios.hpp"
#include "Runner.hpp"

#include "sys/platform/FileSystem.hpp"

#include <windows.h>

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
    DWORD exitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_ = {};
};

}  // namespace

int readFileAndExit(const std::wstring& path) {
    return readBytes(path).empty() ? 1 : 0;
}

void programStart(std::ostream& out, const std::wstring& notebookFile) {
    const std::wstring benchExe = modulePath();
    const std::wstring buildFolder = sys::platform::folderOf(sys::platform::folderOf(benchExe));
    const std::wstring program = buildFolder + L"\\src\\varnel.exe";
    const std::wstring folder = sys::platform::folderOf(notebookFile) + L"\\program";
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!CopyFileW(program.c_str(), (folder + L"\\varnel.exe").c_str(), FALSE)
        || !CopyFileW(notebookFile.c_str(), (folder + L"\\notebook.dat").c_str(), FALSE)) {
        throw std::runtime_error("cannot set up the program folder");
    }
    const std::wstring startVarnel = L"\"" + folder + L"\\varnel.exe\"";
    const std::wstring readFile = L"\"" + benchExe + L"\" " + readFileSwitch + L" \"" + notebookFile + L"\"";

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
        [] {});
    if (readerCode != 0) {
        throw std::runtime_error("the reading child failed");
    }
    ratios::print(out, "start", ratios::mean("start.measured"), ratios::mean("start.baseline"), 5);
}

}  // namespace bench
