#pragma once

#include "ui/MessageWindow.hpp"

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace ui {

// Runs jobs on the window thread, the thread that made this object, in posting order and
// inside that thread's message dispatch. Any thread may post: background work hands its
// results over this way instead of touching windows or being polled. Jobs still queued
// when the object is destroyed are dropped.
class WindowThread : public MessageWindow {
public:
    using Job = std::function<void()>;

    WindowThread();
    ~WindowThread() override;

    std::wstring getClassName() const override;
    bool handleMessage(const MSG& msg, LRESULT& result) override;

    // Answers false, dropping the job, once the window thread no longer takes jobs.
    bool post(Job job);
    // Whether the caller runs on the window thread.
    bool isCurrent() const;

private:
    void runJobs();

    const DWORD threadId_;
    mutable std::mutex lock_;
    std::deque<Job> jobs_;
    // The window to wake, under the lock: null before creation and once destruction began.
    HWND target_ = nullptr;
};

}  // namespace ui
