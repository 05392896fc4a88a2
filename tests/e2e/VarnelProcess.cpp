#include "VarnelProcess.hpp"

#include "TopWindows.hpp"
#include "Wait.hpp"

#include <stdexcept>
#include <vector>

namespace e2e {

VarnelProcess::VarnelProcess(const std::wstring& folder, const std::wstring& arguments) {
    const std::wstring program = folder + L"\\varnel.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info_)) {
        throw std::runtime_error("CreateProcessW failed for varnel.exe, error " + std::to_string(GetLastError()));
    }
}

VarnelProcess::~VarnelProcess() {
    end();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool VarnelProcess::isRunning() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND VarnelProcess::mainWindow() const {
    const std::vector<HWND> frames = topWindowsOf(id(), L"Oskel.Frame");
    return frames.empty() ? nullptr : frames.front();
}

HWND VarnelProcess::waitForMainWindow(unsigned timeoutMs) const {
    HWND frame = nullptr;
    waitUntil([&] { return (frame = mainWindow()) != nullptr || !isRunning(); }, timeoutMs);
    return frame;
}

bool VarnelProcess::waitUntilIdle(unsigned timeoutMs) const {
    return WaitForInputIdle(info_.hProcess, timeoutMs) == 0;
}

HWND VarnelProcess::waitForDialog(const std::wstring& title, unsigned timeoutMs) const {
    HWND dialog = nullptr;
    waitUntil(
        [&] {
            for (HWND window : topWindowsOf(id(), L"#32770")) {
                if (IsWindowVisible(window) && textOf(window) == title) {
                    dialog = window;
                    return true;
                }
            }
            return !isRunning();
        },
        timeoutMs);
    return dialog;
}

HWND VarnelProcess::waitForWindow(const std::wstring& title, unsigned timeoutMs) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND window : topWindowsOf(id())) {
                if (IsWindowVisible(window) && textOf(window) == title) {
                    found = window;
                    return true;
                }
            }
            return !isRunning();
        },
        timeoutMs);
    return found;
}

std::optional<DWORD> VarnelProcess::waitForExit(unsigned timeoutMs) const {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void VarnelProcess::postClose() const {
    if (HWND frame = mainWindow()) {
        PostMessageW(frame, WM_CLOSE, 0, 0);
    }
}

bool VarnelProcess::end(unsigned closeTimeoutMs) {
    if (!isRunning()) {
        return true;
    }
    postClose();
    if (waitForExit(closeTimeoutMs)) {
        return true;
    }
    TerminateProcess(info_.hProcess, 0xDEAD);
    WaitForSingleObject(info_.hProcess, 10000);
    return false;
}

}  // namespace e2e
