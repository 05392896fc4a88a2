#include "err/Exceptions.hpp"
#include "sys/timers/MultimediaTimer.hpp"

#include "WinTestSupport.hpp"

#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>

using sys::timers::MultimediaTimer;
using sys::timers::TimerRegistry;
using sys::timers::TimerSource;

namespace {

constexpr DWORD generousWait = 5000;

// A manual-reset event, closed with the test.
class Event {
public:
    Event() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(handle_); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set() { SetEvent(handle_); }
    bool waitFor(DWORD ms) { return WaitForSingleObject(handle_, ms) == WAIT_OBJECT_0; }

private:
    HANDLE handle_;
};

TIMECAPS capabilities() {
    TIMECAPS caps{};
    EXPECT_EQ(static_cast<MMRESULT>(MMSYSERR_NOERROR), timeGetDevCaps(&caps, sizeof caps));
    return caps;
}

// Runs a timer of `interval` until it has ticked three times, then stops it and checks
// that no tick follows.
void runThreeTicks(int interval) {
    std::atomic<int> ticks{0};
    std::atomic<bool> nonZeroTime{false};
    std::atomic<bool> onTestThread{false};
    std::atomic<bool> afterStop{false};
    std::atomic<bool> tickedAfterStop{false};
    const DWORD testThread = GetCurrentThreadId();
    Event threeTicks;
    MultimediaTimer timer(interval, [&](std::uint32_t time) {
        if (afterStop) {
            tickedAfterStop = true;
        }
        if (time != 0) {
            nonZeroTime = true;
        }
        if (GetCurrentThreadId() == testThread) {
            onTestThread = true;
        }
        if (++ticks == 3) {
            threeTicks.set();
        }
    });
    timer.start();
    ASSERT_TRUE(timer.isRunning());
    EXPECT_TRUE(TimerRegistry::instance().contains(TimerSource::multimedia, timer.getId()));

    ASSERT_TRUE(threeTicks.waitFor(generousWait)) << "interval " << interval;
    const std::uintptr_t id = timer.getId();
    timer.stop();
    afterStop = true;
    EXPECT_FALSE(timer.isRunning());
    EXPECT_FALSE(TimerRegistry::instance().contains(TimerSource::multimedia, id));
    Sleep(3 * static_cast<DWORD>(interval) + 50);
    EXPECT_FALSE(tickedAfterStop);
    EXPECT_FALSE(nonZeroTime);
    EXPECT_FALSE(onTestThread);
}

}  // namespace

TEST(MultimediaTimerTest, IntervalsFollowTheSystemTimerCapabilities) {
    const TIMECAPS caps = capabilities();
    ASSERT_GE(caps.wPeriodMin, 1u);
    const int maximum = static_cast<int>(caps.wPeriodMax);
    MultimediaTimer timer(static_cast<int>(caps.wPeriodMin), nullptr);
    for (const int interval : {static_cast<int>(caps.wPeriodMin), 15, maximum}) {
        EXPECT_TRUE(timer.isValidInterval(interval)) << interval;
    }
    for (const int interval : {maximum + 1, 0, -15}) {
        EXPECT_FALSE(timer.isValidInterval(interval)) << interval;
    }

    for (const int interval : {maximum + 1, 0, -1}) {
        EXPECT_EQ(
            "Precondition failed:\nsys::timers::MultimediaTimer::MultimediaTimer\nisValidInterval(interval)",
            testing_support::messageOf<err::InvalidArgumentException>([&] { MultimediaTimer(interval, nullptr); }))
            << interval;
    }
}

TEST(MultimediaTimerTest, TicksArriveOnTheSystemTimerThreadWithTimeZeroUntilStopped) {
    runThreeTicks(15);
    // Half of one millisecond is no resolution at all; the timer runs without one.
    runThreeTicks(1);
}

TEST(MultimediaTimerTest, DestructionWaitsForARunningTickAndNoneFollows) {
    Event entered;
    Event release;
    std::atomic<int> ticks{0};
    std::atomic<bool> finished{false};
    auto timer = std::make_unique<MultimediaTimer>(15, [&](std::uint32_t) {
        if (++ticks == 1) {
            entered.set();
            release.waitFor(generousWait);
            finished = true;
        }
    });
    timer->start();
    ASSERT_TRUE(entered.waitFor(generousWait));

    Event destroyed;
    std::atomic<bool> finishedWhenDestroyed{false};
    std::thread destroyer([&] {
        timer.reset();
        finishedWhenDestroyed = finished.load();
        destroyed.set();
    });
    // The destroyer must still be waiting for the tick; if it has returned, it did not wait.
    EXPECT_FALSE(destroyed.waitFor(300));
    release.set();
    EXPECT_TRUE(destroyed.waitFor(generousWait));
    destroyer.join();
    EXPECT_TRUE(finishedWhenDestroyed);

    const int ticksAtDestruction = ticks;
    Sleep(100);
    EXPECT_EQ(ticksAtDestruction, ticks.load());
}

// An exception must never unwind into the system's timer thread, and the report's box
// comes up on the window thread: the timer thread has no message loop to run one.
TEST(MultimediaTimerTest, AFailingTickIsReportedOnTheWindowThreadAndTheTimerKeepsTicking) {
    Event tickedAfterFailure;
    std::atomic<int> ticks{0};
    MultimediaTimer timer(15, [&](std::uint32_t) {
        const int tick = ++ticks;
        if (tick == 1) {
            throw std::runtime_error("the multimedia tick failed");
        }
        if (tick >= 3) {
            tickedAfterFailure.set();
        }
    });
    std::vector<testing_support::SeenBox> boxes;
    {
        testing_support::MessageBoxWatcher watcher;
        timer.start();
        // The timer thread goes on ticking while the box waits for this thread to pump.
        EXPECT_TRUE(tickedAfterFailure.waitFor(generousWait));
        EXPECT_TRUE(testing_support::pumpUntil([&] { return !watcher.boxes().empty(); }));
        timer.stop();
        boxes = watcher.boxes();
    }
    testing_support::expectOneErrorBox(boxes, L"std::runtime_error\nthe multimedia tick failed");
    EXPECT_EQ(1u,
              testing_support::timesLogged("sys::timers::dispatch std::runtime_error\nthe multimedia tick failed\n"));
}
