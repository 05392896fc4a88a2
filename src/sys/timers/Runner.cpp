#include "sys/timers/Runner.hpp"

namespace sys::timers {

Runner::Runner() : Timer(1000, nullptr) {}

void Runner::callLater(int milliseconds, std::function<void()> action) {
    stop();
    setInterval(milliseconds);
    setCallback([this, action = std::move(action)](std::uint32_t) { run(action); });
    start();
}

// Stops first, so that the action may schedule the next one on this same runner.
void Runner::run(const std::function<void()>& action) {
    stop();
    if (action) {
        action();
    }
}

}  // namespace sys::timers
