#pragma once

#include <functional>
#include <string>

namespace err {

// One unexpected error, caught at a boundary the system calls into.
struct ErrorReport {
    // The boundary that caught it, such as "ui::wndProc".
    std::string where;
    // The exception's type name, a line feed and its message; "Unknown exception" for
    // exceptions outside the standard family.
    std::string text;
    // The exception's message alone.
    std::string message;
    // The window the error belongs to, if any; opaque to this layer.
    void* owner = nullptr;
};

// Shows a report to the user. It runs on the thread that caught the error, after the
// report was logged; the window layer installs one that shows boxes on its own thread only.
using ErrorPresenter = std::function<void(const ErrorReport&)>;

// Installs the presenter for the whole process (an empty one removes it) and answers the
// one it replaces.
ErrorPresenter setErrorPresenter(ErrorPresenter presenter);

// The report of the exception being handled. Call it only inside a catch block.
ErrorReport describeCurrentException(const char* where, void* owner = nullptr);

// Reports the exception being handled: appends "<where> <text>" as one line to "log.txt"
// in the current directory (emptied by the first report of the process), passes the
// message to the debugger output, then hands the report to the presenter. Call it only
// inside a catch block; it never throws, so system callbacks can call it last.
void reportCurrentException(const char* where, void* owner = nullptr) noexcept;

}  // namespace err
