#pragma once

#include "sys/timers/TimerRegistry.hpp"

#include <atomic>
#include <cstdint>
#include <memory>

namespace sys::timers {

// A periodic system timer that calls a function on every tick. Start, stop, re-program and
// destroy a timer on the thread that owns it. Once stop() has returned, no tick of the timer
// runs on another thread and none will start; a stopped timer ignores ticks that the system
// had already queued. A callback must not wait for the thread that stops its timer.
class BasicTimer {
public:
    using Callback = TimerCallback;

    BasicTimer(const BasicTimer&) = delete;
    BasicTimer& operator=(const BasicTimer&) = delete;

    // The virtual functions are declared in their table order; keep it.
    virtual ~BasicTimer();

protected:
    virtual std::uintptr_t createSystemTimer() = 0;
    virtual void destroySystemTimer(std::uintptr_t id) = 0;

public:
    virtual bool isValidInterval(int interval) const = 0;

    // Restarts a running timer. Throws err::InvalidArgumentException when the interval is
    // not valid for this kind of timer.
    void start();
    // Harmless on a stopped timer.
    void stop();
    bool isRunning() const { return running_; }

    int getInterval() const { return interval_; }
    // Takes effect at the next start().
    void setInterval(int milliseconds) { interval_ = milliseconds; }
    // Takes effect at once, for a running timer too; an empty function makes ticks do nothing.
    void setCallback(Callback callback);

    // The system's id of the running timer; 0 while stopped.
    std::uintptr_t getId() const { return id_; }

protected:
    BasicTimer(TimerSource source, int interval, Callback callback);

private:
    static std::shared_ptr<const Callback> share(Callback callback);

    const TimerSource source_;
    int interval_;
    std::atomic<bool> running_{false};
    std::uintptr_t id_ = 0;
    std::shared_ptr<const Callback> callback_;
};

}  // namespace sys::timers
