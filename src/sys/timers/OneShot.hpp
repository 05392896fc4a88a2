#pragma once

#include <functional>

namespace sys::timers {

// Runs an action once, a number of milliseconds later, on the user-interface thread.
// Calling callLater again before the delay ends replaces the action and restarts the delay.
class OneShot {
public:
    virtual ~OneShot() = default;
    virtual void callLater(int milliseconds, std::function<void()> action) = 0;
};

}  // namespace sys::timers
