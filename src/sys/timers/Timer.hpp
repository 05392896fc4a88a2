#pragma once

#include "sys/timers/BasicTimer.hpp"

namespace sys::timers {

// A window-system timer without a window: its ticks arrive on the thread that started it,
// inside that thread's message dispatch.
class Timer : public BasicTimer {
public:
    Timer(int interval, Callback callback);
    ~Timer() override;

    // The system's minimum and maximum window-timer intervals.
    bool isValidInterval(int interval) const override;

protected:
    // Throws err::SystemException when the system has no timer left.
    std::uintptr_t createSystemTimer() override;
    void destroySystemTimer(std::uintptr_t id) override;
};

}  // namespace sys::timers
