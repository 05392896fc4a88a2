#include "WinTestSupport.hpp"

#include "err/Exceptions.hpp"
#include "sys/timers/Runner.hpp"

#include <gtest/gtest.h>

#include <memory>

using sys::timers::OneShot;
using sys::timers::Runner;
using testing_support::pumpFor;
using testing_support::pumpUntil;

TEST(RunnerTest, CallingLaterThreeTimesRunsOnlyTheLastActionOnce) {
    Runner runner;
    OneShot& oneShot = runner;
    int first = 0;
    int second = 0;
    int third = 0;
    oneShot.callLater(100, [&] { ++first; });
    oneShot.callLater(100, [&] { ++second; });
    oneShot.callLater(100, [&] { ++third; });
    EXPECT_TRUE(runner.isRunning());
    EXPECT_EQ(100, runner.getInterval());

    ASSERT_TRUE(pumpUntil([&] { return third > 0; }));
    EXPECT_FALSE(runner.isRunning());
    pumpFor(300);
    EXPECT_EQ(0, first);
    EXPECT_EQ(0, second);
    EXPECT_EQ(1, third);
}

// A periodic job (the backup cycle) schedules its next run from inside the action, which
// replaces the very function that is running.
TEST(RunnerTest, AnActionMayScheduleTheNextRunOnItsOwnRunner) {
    Runner runner;
    int runs = 0;
    std::function<void()> action = [&] {
        ++runs;
        if (runs < 3) {
            runner.callLater(10, action);
        }
    };
    runner.callLater(10, action);

    ASSERT_TRUE(pumpUntil([&] { return runs == 3; }));
    EXPECT_FALSE(runner.isRunning());
    pumpFor(200);
    EXPECT_EQ(3, runs);
}

TEST(RunnerTest, APendingActionIsDroppedWithItsRunner) {
    int runs = 0;
    auto runner = std::make_unique<Runner>();
    runner->callLater(10, [&] { ++runs; });
    runner.reset();

    // A runner made afterwards proves that ticks are being delivered meanwhile.
    Runner witness;
    bool witnessed = false;
    witness.callLater(100, [&] { witnessed = true; });
    ASSERT_TRUE(pumpUntil([&] { return witnessed; }));
    EXPECT_EQ(0, runs);
}

TEST(RunnerTest, ADelayBelowTheWindowTimerMinimumIsRejected) {
    Runner runner;
    EXPECT_THROW(runner.callLater(5, [] {}), err::InvalidArgumentException);
    EXPECT_FALSE(runner.isRunning());

    // An empty action just ends the delay.
    runner.callLater(10, nullptr);
    EXPECT_TRUE(pumpUntil([&] { return !runner.isRunning(); }));
}
