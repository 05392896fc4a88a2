#include "ui/WindowThread.hpp"

#include "WinTestSupport.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

using testing_support::MessageBoxWatcher;
using testing_support::pumpUntil;

TEST(WindowThreadTest, JobsFromAnotherThreadRunHereInOrderAndAFailingJobIsReportedWithoutStoppingTheRest) {
    ui::WindowThread windowThread;
    std::vector<int> ran;
    std::vector<DWORD> ranOn;
    int accepted = 0;
    std::thread poster([&] {
        for (int i = 0; i < 5; ++i) {
            accepted += windowThread.post([&, i] {
                ran.push_back(i);
                ranOn.push_back(GetCurrentThreadId());
                if (i == 2) {
                    throw std::runtime_error("the job failed");
                }
            });
        }
    });
    poster.join();
    EXPECT_EQ(5, accepted);
    EXPECT_TRUE(ran.empty());

    MessageBoxWatcher watcher;
    EXPECT_TRUE(pumpUntil([&] { return ran.size() == 5 && watcher.boxes().size() == 1; }));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), ran);
    EXPECT_EQ(std::vector<DWORD>(5, GetCurrentThreadId()), ranOn);
    testing_support::expectOneErrorBox(watcher.boxes(), L"std::runtime_error\nthe job failed");
    EXPECT_TRUE(windowThread.isCurrent());
}

TEST(WindowThreadTest, JobsStillQueuedAtDestructionAreDroppedAndReleased) {
    auto windowThread = std::make_unique<ui::WindowThread>();
    auto captured = std::make_shared<int>(0);
    ASSERT_TRUE(windowThread->post([captured] { ++*captured; }));
    EXPECT_EQ(2, captured.use_count());
    windowThread.reset();
    EXPECT_EQ(1, captured.use_count());
    testing_support::pumpFor(50);
    EXPECT_EQ(0, *captured);
}
