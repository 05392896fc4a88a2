#include "WinTestSupport.hpp"

#include "err/Exceptions.hpp"
#include "sys/timers/Timer.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <stdexcept>
#include <vector>

using sys::timers::Timer;
using sys::timers::TimerRegistry;
using sys::timers::TimerSource;
using testing_support::pumpFor;
using testing_support::pumpUntil;

namespace {

// Waits until the system has queued a tick of the window timer `id` and takes it off the
// queue without dispatching it. Other messages are dispatched as usual.
bool takeQueuedTick(UINT_PTR id, MSG& tick) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        while (PeekMessageW(&tick, nullptr, 0, 0, PM_REMOVE)) {
            if (tick.message == WM_TIMER && tick.hwnd == nullptr && tick.wParam == id) {
                return true;
            }
            TranslateMessage(&tick);
            DispatchMessageW(&tick);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return false;
}

}  // namespace

TEST(TimerTest, TicksRunOnTheStartingThreadWhileRegisteredAndStopForGood) {
    std::vector<DWORD> threads;
    Timer timer(10, [&](std::uint32_t) { threads.push_back(GetCurrentThreadId()); });
    EXPECT_FALSE(timer.isRunning());

    timer.start();
    ASSERT_TRUE(timer.isRunning());
    const std::uintptr_t id = timer.getId();
    ASSERT_NE(0u, id);
    EXPECT_TRUE(TimerRegistry::instance().contains(TimerSource::window, id));
    EXPECT_FALSE(TimerRegistry::instance().contains(TimerSource::multimedia, id));

    ASSERT_TRUE(pumpUntil([&] { return threads.size() >= 3; }));
    for (DWORD thread : threads) {
        EXPECT_EQ(GetCurrentThreadId(), thread);
    }

    timer.stop();
    timer.stop();
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(0u, timer.getId());
    EXPECT_FALSE(TimerRegistry::instance().contains(TimerSource::window, id));
    const size_t ticks = threads.size();
    pumpFor(200);
    EXPECT_EQ(ticks, threads.size());
}

TEST(TimerTest, IntervalsOutsideTheWindowTimerRangeAreRejectedByStart) {
    Timer timer(5, nullptr);
    for (const int interval : {5, 9, 0, -1, INT_MIN}) {
        EXPECT_FALSE(timer.isValidInterval(interval)) << interval;
    }
    for (const int interval : {10, 600000, INT_MAX}) {
        EXPECT_TRUE(timer.isValidInterval(interval)) << interval;
    }

    EXPECT_EQ("Precondition failed:\nsys::timers::BasicTimer::start\nisValidInterval(interval)",
              testing_support::messageOf<err::InvalidArgumentException>([&] { timer.start(); }));
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(0u, timer.getId());
}

// A tick the system queued before stop() or the destructor must not reach the callback: the
// timer's owner has moved on, and may be gone.
TEST(TimerTest, ATickQueuedBeforeStopOrDestructionIsIgnored) {
    // While one timer of the process uses the shared procedure, the system delivers ticks
    // to it even for ids already killed.
    Timer keeper(600000, nullptr);
    keeper.start();
    for (const bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "destroyed" : "stopped");
        int calls = 0;
        auto timer = std::make_unique<Timer>(10, [&](std::uint32_t) { ++calls; });
        timer->start();
        const UINT_PTR id = timer->getId();

        MSG tick{};
        ASSERT_TRUE(takeQueuedTick(id, tick));
        DispatchMessageW(&tick);
        ASSERT_EQ(1, calls) << "a dispatched tick of a running timer must reach its callback";

        ASSERT_TRUE(takeQueuedTick(id, tick));
        destroy ? timer.reset() : timer->stop();
        EXPECT_FALSE(TimerRegistry::instance().contains(TimerSource::window, id));
        DispatchMessageW(&tick);
        pumpFor(300);
        EXPECT_EQ(1, calls);
    }
}

TEST(TimerTest, RestartingAndReplacingTheCallbackKeepOneRegistration) {
    int oldTicks = 0;
    int newTicks = 0;
    Timer timer(10, [&](std::uint32_t) { ++oldTicks; });
    timer.start();
    ASSERT_TRUE(pumpUntil([&] { return oldTicks >= 1; }));

    const std::uintptr_t firstId = timer.getId();
    timer.setInterval(20);
    timer.start();
    EXPECT_TRUE(timer.isRunning());
    EXPECT_EQ(20, timer.getInterval());
    if (timer.getId() != firstId) {
        EXPECT_FALSE(TimerRegistry::instance().contains(TimerSource::window, firstId));
    }

    timer.setCallback([&](std::uint32_t) { ++newTicks; });
    const int ticksBefore = oldTicks;
    ASSERT_TRUE(pumpUntil([&] { return newTicks >= 2; }));
    EXPECT_EQ(ticksBefore, oldTicks);

    // An empty callback turns ticks into nothing; the timer keeps running.
    timer.setCallback(nullptr);
    const int newBefore = newTicks;
    pumpFor(100);
    EXPECT_TRUE(timer.isRunning());
    EXPECT_EQ(newBefore, newTicks);
}

// A time-out handler may destroy the object that owns its timer, and so the timer and the
// function that is running: what the function captured must live until it returns.
TEST(TimerTest, ACallbackMayDestroyItsOwnTimer) {
    struct Probe {
        explicit Probe(bool& destroyed) : destroyed(destroyed) {}
        ~Probe() { destroyed = true; }
        bool& destroyed;
    };
    bool probeDestroyed = false;
    bool probeAliveAfterReset = false;
    int calls = 0;
    std::unique_ptr<Timer> timer;
    {
        auto probe = std::make_shared<Probe>(probeDestroyed);
        timer = std::make_unique<Timer>(10, [&, probe](std::uint32_t) {
            ++calls;
            timer.reset();
            probeAliveAfterReset = !probeDestroyed;
        });
    }
    timer->start();
    ASSERT_TRUE(pumpUntil([&] { return calls > 0; }));
    EXPECT_TRUE(probeAliveAfterReset);
    EXPECT_TRUE(probeDestroyed);
    pumpFor(100);
    EXPECT_EQ(1, calls);
}

// An exception unwinding into the system's message dispatch may end the process.
TEST(TimerTest, AFailingCallbackIsReportedAndTheTimerKeepsTicking) {
    int ticksAfterFailure = 0;
    bool failed = false;
    Timer timer(10, [&](std::uint32_t) {
        if (!failed) {
            failed = true;
            throw std::runtime_error("the tick failed");
        }
        ++ticksAfterFailure;
    });
    std::vector<testing_support::SeenBox> boxes;
    {
        testing_support::MessageBoxWatcher watcher;
        timer.start();
        EXPECT_TRUE(pumpUntil([&] { return ticksAfterFailure >= 3 && !watcher.boxes().empty(); }));
        timer.stop();
        boxes = watcher.boxes();
    }
    testing_support::expectOneErrorBox(boxes, L"std::runtime_error\nthe tick failed");
    EXPECT_EQ(1u, testing_support::timesLogged("sys::timers::dispatch std::runtime_error\nthe tick failed\n"));
}
