#include "sys/timers/MultimediaTimer.hpp"

#include "err/ErrorReport.hpp"
#include "err/Exceptions.hpp"

#include <windows.h>
#include <mmsystem.h>

namespace sys::timers {

namespace {

// Runs on the system's timer thread: nothing may unwind into it.
void CALLBACK sharedMultimediaProc(UINT id, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) noexcept {
    try {
        TimerRegistry::instance().dispatch(TimerSource::multimedia, id, 0);
    } catch (...) {
        err::reportCurrentException("sys::timers::dispatch");
    }
}

}  // namespace

MultimediaTimer::MultimediaTimer(int interval, Callback callback)
    : BasicTimer(TimerSource::multimedia, interval, std::move(callback)) {
    if (!isValidInterval(interval)) {
        err::throwInvalidArgument("sys::timers::MultimediaTimer::MultimediaTimer", "isValidInterval(interval)");
    }
}

MultimediaTimer::~MultimediaTimer() {
    stop();
}

bool MultimediaTimer::isValidInterval(int interval) const {
    TIMECAPS caps{};
    if (interval < 0 || timeGetDevCaps(&caps, sizeof caps) != MMSYSERR_NOERROR) {
        return false;
    }
    const auto period = static_cast<UINT>(interval);
    return caps.wPeriodMin <= period && period <= caps.wPeriodMax;
}

std::uintptr_t MultimediaTimer::createSystemTimer() {
    const auto interval = static_cast<UINT>(getInterval());
    // An interval of 1 asks for a resolution of 0, which the system refuses; then there is
    // no period to end either.
    const UINT period = interval / 2;
    period_ = period != 0 && timeBeginPeriod(period) == TIMERR_NOERROR ? period : 0;
    const MMRESULT id = timeSetEvent(interval, interval, sharedMultimediaProc, 0, TIME_PERIODIC);
    if (id == 0) {
        endPeriod();
        throw err::RuntimeException(
            err::postconditionMessage("sys::timers::MultimediaTimer::createSystemTimer", "id!=0"));
    }
    return id;
}

void MultimediaTimer::destroySystemTimer(std::uintptr_t id) {
    timeKillEvent(static_cast<UINT>(id));
    endPeriod();
}

void MultimediaTimer::endPeriod() {
    if (period_ != 0) {
        timeEndPeriod(period_);
    }
    period_ = 0;
}

}  // namespace sys::timers
