#include "ui/ErrorPresenter.hpp"

#include "sys/platform/Platform.hpp"
#include "ui/MessageBox.hpp"
#include "ui/WindowThread.hpp"

#include <mutex>

namespace ui {

namespace {

// A handler that fails again while a report is on screen (a paint handler is asked to paint
// again by the box's modal loop) would stack boxes without end: reports that arrive while
// a box shows are logged but show no second box.
int boxesShowing = 0;

}  // namespace

struct ErrorPresenter::Channel {
    explicit Channel(WindowThread& windowThread) : thread(&windowThread) {}

    std::mutex lock;
    // Null once the presenter is gone.
    WindowThread* thread;
};

ErrorPresenter::ErrorPresenter(WindowThread& thread)
    : channel_(std::make_shared<Channel>(thread)),
      previous_(
          err::setErrorPresenter([channel = channel_](const err::ErrorReport& report) { present(*channel, report); })) {
}

ErrorPresenter::~ErrorPresenter() {
    err::setErrorPresenter(std::move(previous_));
    std::lock_guard<std::mutex> guard(channel_->lock);
    channel_->thread = nullptr;
}

void ErrorPresenter::present(Channel& channel, const err::ErrorReport& report) {
    std::unique_lock<std::mutex> guard(channel.lock);
    if (channel.thread == nullptr) {
        return;
    }
    if (channel.thread->isCurrent()) {
        // The box's modal loop may run anything, this presenter's end included.
        guard.unlock();
        show(report);
        return;
    }
    // The owner belongs to another thread and may be gone by the time the box shows.
    err::ErrorReport posted = report;
    posted.owner = nullptr;
    channel.thread->post([posted] { show(posted); });
}

void ErrorPresenter::show(const err::ErrorReport& report) {
    if (boxesShowing != 0) {
        return;
    }
    struct Showing {
        Showing() { ++boxesShowing; }
        ~Showing() { --boxesShowing; }
    } showing;
    HWND owner = static_cast<HWND>(report.owner);
    showError(IsWindow(owner) ? owner : nullptr, sys::platform::widen(report.text), L"Error");
}

}  // namespace ui
