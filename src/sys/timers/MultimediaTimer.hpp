#pragma once

#include "sys/timers/BasicTimer.hpp"

namespace sys::timers {

// A high-resolution periodic timer. Its ticks arrive on the system's timer thread with
// time 0; a callback must not touch user-interface state (post a message instead). While
// it runs, the system timer resolution is raised to half the interval.
class MultimediaTimer : public BasicTimer {
public:
    // Throws err::InvalidArgumentException when the interval is outside the periods the
    // system's timer supports.
    MultimediaTimer(int interval, Callback callback);
    ~MultimediaTimer() override;

    bool isValidInterval(int interval) const override;

protected:
    // Throws err::RuntimeException when the system refuses the timer.
    std::uintptr_t createSystemTimer() override;
    void destroySystemTimer(std::uintptr_t id) override;

private:
    void endPeriod();

    // The resolution raised for the running timer, 0 when none was; ended with that same
    // value even if the interval changes meanwhile.
    unsigned period_ = 0;
};

}  // namespace sys::timers
