#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A program to clip from (Wine's notepad, our cliptarget), started by the constructor and
// ended with its object: asked to close, killed when it does not end within a few seconds.
class TargetProgram {
public:
    // Runs the command line (the program and its arguments, quoted as needed) in `folder`.
    TargetProgram(const std::wstring& commandLine, const std::wstring& folder);
    ~TargetProgram();
    TargetProgram(const TargetProgram&) = delete;
    TargetProgram& operator=(const TargetProgram&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    // Its shown top-level window of the class, waited for; nullptr when none appeared in
    // time.
    HWND waitForWindow(const std::wstring& className, unsigned timeoutMs = 20000) const;

    // The cliptarget.exe of this build, beside the test executable.
    static std::wstring clipTarget();
    // A command-line argument quoted so that the program gets it as it stands.
    static std::wstring quoted(const std::wstring& argument);

private:
    PROCESS_INFORMATION info_ = {};
};

// The lines of cliptarget's log, each without its time stamp; `times` gets the stamps (in
// milliseconds on the performance counter) when asked.
std::vector<std::string> clipTargetLog(const std::wstring& path, std::vector<double>* times = nullptr);

}  // namespace e2e
