#pragma once

#include "err/ErrorReport.hpp"

#include <memory>

namespace ui {

class WindowThread;

// Shows the process's error reports in "Error" boxes on the window thread, for as long as
// it lives. A report from another thread (a timer's, a worker's) is posted there: no box
// ever comes up on a thread without a message loop of the program's own.
class ErrorPresenter {
public:
    explicit ErrorPresenter(WindowThread& thread);
    ~ErrorPresenter();
    ErrorPresenter(const ErrorPresenter&) = delete;
    ErrorPresenter& operator=(const ErrorPresenter&) = delete;

    // The box of one report, owned by its window when it has one. Window thread only.
    static void show(const err::ErrorReport& report);

private:
    struct Channel;

    static void present(Channel& channel, const err::ErrorReport& report);

    // Shared with the installed function, which another thread may still be running when
    // this object goes.
    std::shared_ptr<Channel> channel_;
    err::ErrorPresenter previous_;
};

}  // namespace ui
