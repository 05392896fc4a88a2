#include "sys/timers/Timer.hpp"

#include "err/ErrorReport.hpp"
#include "err/Exceptions.hpp"

#include <windows.h>

namespace sys::timers {

namespace {

constexpr int minimumInterval = USER_TIMER_MINIMUM;
constexpr int maximumInterval = USER_TIMER_MAXIMUM;

// An exception must not unwind into the system's message dispatch: it is reported here,
// the way the window procedure reports its own.
void CALLBACK sharedTimerProc(HWND, UINT, UINT_PTR id, DWORD time) noexcept {
    try {
        TimerRegistry::instance().dispatch(TimerSource::window, id, time);
    } catch (...) {
        err::reportCurrentException("sys::timers::dispatch");
    }
}

}  // namespace

Timer::Timer(int interval, Callback callback) : BasicTimer(TimerSource::window, interval, std::move(callback)) {}

Timer::~Timer() {
    stop();
}

bool Timer::isValidInterval(int interval) const {
    return interval >= minimumInterval && interval <= maximumInterval;
}

std::uintptr_t Timer::createSystemTimer() {
    const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(getInterval()), sharedTimerProc);
    if (id == 0) {
        throw err::SystemException(err::postconditionMessage("sys::timers::Timer::createSystemTimer", "id!=0"));
    }
    return id;
}

void Timer::destroySystemTimer(std::uintptr_t id) {
    KillTimer(nullptr, id);
}

}  // namespace sys::timers
