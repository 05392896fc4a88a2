#include "sys/timers/BasicTimer.hpp"

#include "err/Exceptions.hpp"

namespace sys::timers {

BasicTimer::BasicTimer(TimerSource source, int interval, Callback callback)
    : source_(source), interval_(interval), callback_(share(std::move(callback))) {}

// The system timer belongs to the derived class, which stops it in its own destructor;
// here only the registry is made sure never to hand out this object again.
BasicTimer::~BasicTimer() {
    TimerRegistry::instance().forget(*this);
}

void BasicTimer::start() {
    if (running_) {
        stop();
    }
    if (!isValidInterval(interval_)) {
        err::throwInvalidArgument("sys::timers::BasicTimer::start", "isValidInterval(interval)");
    }
    const std::uintptr_t id = createSystemTimer();
    id_ = id;
    running_ = true;
    try {
        TimerRegistry::instance().add(source_, id, *this, callback_);
    } catch (...) {
        running_ = false;
        id_ = 0;
        destroySystemTimer(id);
        throw;
    }
}

void BasicTimer::stop() {
    if (!running_) {
        return;
    }
    running_ = false;
    const std::uintptr_t id = id_;
    id_ = 0;
    destroySystemTimer(id);
    // A tick the system had queued before the timer was destroyed finds no entry.
    TimerRegistry::instance().remove(source_, id, *this);
}

void BasicTimer::setCallback(Callback callback) {
    callback_ = share(std::move(callback));
    if (running_) {
        TimerRegistry::instance().setCallback(source_, id_, callback_);
    }
}

std::shared_ptr<const BasicTimer::Callback> BasicTimer::share(Callback callback) {
    if (!callback) {
        return nullptr;
    }
    return std::make_shared<const Callback>(std::move(callback));
}

}  // namespace sys::timers
