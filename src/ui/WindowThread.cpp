#include "ui/WindowThread.hpp"

#include "err/ErrorReport.hpp"

#include <utility>

namespace ui {

namespace {

// Private to this window class: the queue has jobs to run.
constexpr UINT WM_RUNJOBS = WM_APP;

}  // namespace

WindowThread::WindowThread() : threadId_(GetCurrentThreadId()) {
    create();
    std::lock_guard<std::mutex> guard(lock_);
    target_ = getHandle();
}

WindowThread::~WindowThread() {
    std::deque<Job> dropped;
    {
        std::lock_guard<std::mutex> guard(lock_);
        target_ = nullptr;
        dropped.swap(jobs_);
    }
    // The jobs' captures are released here, outside the lock.
}

std::wstring WindowThread::getClassName() const {
    return L"Oskel.WindowThread";
}

bool WindowThread::post(Job job) {
    std::lock_guard<std::mutex> guard(lock_);
    if (target_ == nullptr) {
        return false;
    }
    // One wake-up stands for the whole queue: it is posted only when the queue was empty.
    if (jobs_.empty() && !PostMessageW(target_, WM_RUNJOBS, 0, 0)) {
        return false;
    }
    jobs_.push_back(std::move(job));
    return true;
}

bool WindowThread::isCurrent() const {
    return GetCurrentThreadId() == threadId_;
}

bool WindowThread::handleMessage(const MSG& msg, LRESULT& result) {
    if (msg.message != WM_RUNJOBS) {
        return MessageWindow::handleMessage(msg, result);
    }
    runJobs();
    return true;
}

// The queue is taken as it stands; jobs posted while these run wake the window again. A
// job that fails is reported and does not keep the others from running.
void WindowThread::runJobs() {
    std::deque<Job> batch;
    {
        std::lock_guard<std::mutex> guard(lock_);
        batch.swap(jobs_);
    }
    for (Job& job : batch) {
        try {
            job();
        } catch (...) {
            err::reportCurrentException("ui::wndProc", getHandle());
        }
        job = nullptr;
    }
}

}  // namespace ui
