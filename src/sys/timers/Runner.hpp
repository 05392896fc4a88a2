#pragma once

#include "sys/timers/OneShot.hpp"
#include "sys/timers/Timer.hpp"

#include <functional>

namespace sys::timers {

// A window timer used as a one-shot: the action runs once, on the first tick, on the
// user-interface thread.
class Runner : public Timer, public OneShot {
public:
    Runner();

    // Replaces a pending action and restarts the delay. Throws err::InvalidArgumentException
    // for a delay that is not a valid window-timer interval.
    void callLater(int milliseconds, std::function<void()> action) override;

private:
    void run(const std::function<void()>& action);
};

}  // namespace sys::timers
