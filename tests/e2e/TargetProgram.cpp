#include "TargetProgram.hpp"

#include "TopWindows.hpp"
#include "Wait.hpp"

#include "sys/platform/FileSystem.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace e2e {

TargetProgram::TargetProgram(const std::wstring& commandLine, const std::wstring& folder) {
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info_)) {
        throw std::runtime_error("CreateProcessW failed for a clip target, error " + std::to_string(GetLastError()));
    }
}

TargetProgram::~TargetProgram() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        for (HWND window : topWindowsOf(id())) {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) {
            TerminateProcess(info_.hProcess, 0xDEAD);
            WaitForSingleObject(info_.hProcess, 10000);
        }
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND TargetProgram::waitForWindow(const std::wstring& className, unsigned timeoutMs) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND window : topWindowsOf(id(), className)) {
                if (IsWindowVisible(window)) {
                    found = window;
                    return true;
                }
            }
            return WaitForSingleObject(info_.hProcess, 0) != WAIT_TIMEOUT;
        },
        timeoutMs);
    return found;
}

std::wstring TargetProgram::clipTarget() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program = sys::platform::folderOf(path) + L"\\cliptarget.exe";
    if (GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        throw std::runtime_error("cliptarget.exe is not beside the tests; build the cliptarget target");
    }
    return program;
}

// The rules of CommandLineToArgvW: backslashes double only before a quote.
std::wstring TargetProgram::quoted(const std::wstring& argument) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::vector<std::string> clipTargetLog(const std::wstring& path, std::vector<double>* times) {
    std::vector<std::string> lines;
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t space = line.find(' ');
        if (space == std::string::npos) {
            continue;
        }
        if (times != nullptr) {
            times->push_back(std::atof(line.substr(0, space).c_str()));
        }
        lines.push_back(line.substr(space + 1));
    }
    return lines;
}

}  // namespace e2e
