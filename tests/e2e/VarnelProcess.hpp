#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// One run of varnel.exe from a program folder, started by the constructor. The object
// makes sure the program is gone when it ends: it is asked to close first and killed only
// when it does not end within a few seconds, so no run outlives its test and holds the
// single-instance mutex against the next one.
class VarnelProcess {
public:
    // Starts "<folder>\varnel.exe", with the arguments as its command line after the
    // program's name (for example "-m"), in the folder as its current directory.
    explicit VarnelProcess(const std::wstring& folder, const std::wstring& arguments = std::wstring());
    ~VarnelProcess();
    VarnelProcess(const VarnelProcess&) = delete;
    VarnelProcess& operator=(const VarnelProcess&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    bool isRunning() const;

    // The main window ("Oskel.Frame" of this process, shown or hidden), waited for until it
    // exists; nullptr when it did not appear in time or the program ended first.
    HWND waitForMainWindow(unsigned timeoutMs = 20000) const;
    // The main window as it is now, or nullptr.
    HWND mainWindow() const;
    // Waits until the program has finished starting and waits for input with nothing
    // queued; answers false when it did not get there in time.
    bool waitUntilIdle(unsigned timeoutMs = 20000) const;

    // A top-level dialog or message box ("#32770") of this process with this title,
    // waited for; nullptr when none appeared in time.
    HWND waitForDialog(const std::wstring& title, unsigned timeoutMs = 20000) const;

    // A shown top-level window of this process with this title (of any class), waited for;
    // nullptr when none appeared in time.
    HWND waitForWindow(const std::wstring& title, unsigned timeoutMs = 10000) const;

    // Waits until the program has ended and answers its exit code; nothing when it still
    // runs after the time-out.
    std::optional<DWORD> waitForExit(unsigned timeoutMs = 20000) const;

    // Posts WM_CLOSE to the main window, as Alt+F4 or the window menu's Close would.
    void postClose() const;
    // Ends the program: WM_CLOSE to its main window, then TerminateProcess if it has not
    // ended after closeTimeoutMs. Answers whether it ended without being killed.
    bool end(unsigned closeTimeoutMs = 10000);

private:
    PROCESS_INFORMATION info_ = {};
};

}  // namespace e2e
