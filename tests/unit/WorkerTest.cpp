#include "sys/threading/Worker.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using sys::threading::Worker;

namespace {

constexpr auto patience = std::chrono::seconds(10);

// A one-way gate: wait() returns once open() was called, or after the patience runs out.
class Gate {
public:
    void open() {
        {
            std::lock_guard<std::mutex> guard(lock_);
            open_ = true;
        }
        changed_.notify_all();
    }
    bool wait() {
        std::unique_lock<std::mutex> guard(lock_);
        return changed_.wait_for(guard, patience, [&] { return open_; });
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    bool open_ = false;
};

// The names of the jobs that ran, in the order they ran.
class Log {
public:
    void add(const std::string& name) {
        std::lock_guard<std::mutex> guard(lock_);
        entries_.push_back(name);
    }
    std::vector<std::string> entries() const {
        std::lock_guard<std::mutex> guard(lock_);
        return entries_;
    }

private:
    mutable std::mutex lock_;
    std::vector<std::string> entries_;
};

// Keeps the worker busy until release(); opened on destruction so a failed check never
// leaves the worker stuck.
class Blocker {
public:
    explicit Blocker(Worker& worker, const std::wstring& key = L"") {
        auto job = [this] {
            started_.open();
            release_.wait();
        };
        if (key.empty()) {
            worker.post(job);
        } else {
            worker.post(key, job);
        }
    }
    ~Blocker() { release(); }
    bool started() { return started_.wait(); }
    void release() { release_.open(); }

private:
    Gate started_;
    Gate release_;
};

}  // namespace

TEST(Worker, RunsJobsOneAtATimeInPostingOrderAndSurvivesThrowingJobs) {
    Log log;
    std::atomic<int> active{0};
    std::atomic<int> overlaps{0};
    Worker worker;
    for (int i = 0; i < 20; ++i) {
        worker.post([&, i] {
            if (++active > 1) {
                ++overlaps;
            }
            std::this_thread::yield();
            log.add(std::to_string(i));
            --active;
            if (i % 5 == 0) {
                throw std::runtime_error("job failed");
            }
        });
    }
    worker.waitIdle();
    std::vector<std::string> expected;
    for (int i = 0; i < 20; ++i) {
        expected.push_back(std::to_string(i));
    }
    EXPECT_EQ(expected, log.entries());
    EXPECT_EQ(0, overlaps.load());
    EXPECT_FALSE(worker.hasJobs());
}

TEST(Worker, KeyedPostReplacesTheQueuedJobOfItsKeyInPlace) {
    Log log;
    Worker worker;
    Blocker blocker(worker);
    ASSERT_TRUE(blocker.started());
    worker.post(L"a", [&] { log.add("a1"); });
    worker.post(L"b", [&] { log.add("b"); });
    worker.post([&] { log.add("plain"); });
    worker.post(L"a", [&] { log.add("a2"); });
    EXPECT_TRUE(worker.hasJobs());
    blocker.release();
    worker.waitIdle();
    EXPECT_EQ((std::vector<std::string>{"a2", "b", "plain"}), log.entries());
}

TEST(Worker, KeyedPostDoesNotReplaceTheRunningJob) {
    Log log;
    Worker worker;
    Blocker blocker(worker, L"a");
    ASSERT_TRUE(blocker.started());
    worker.post(L"a", [&] { log.add("a2"); });
    blocker.release();
    worker.waitIdle();
    EXPECT_EQ((std::vector<std::string>{"a2"}), log.entries());
}

TEST(Worker, CancelDropsQueuedJobsOfTheKeyOnly) {
    Log log;
    Worker worker;
    Blocker blocker(worker);
    ASSERT_TRUE(blocker.started());
    worker.post(L"a", [&] { log.add("a"); });
    worker.post(L"b", [&] { log.add("b"); });
    worker.post([&] { log.add("plain"); });
    worker.cancel(L"a");
    blocker.release();
    worker.waitIdle();
    EXPECT_EQ((std::vector<std::string>{"b", "plain"}), log.entries());
}

TEST(Worker, CancelWaitsForTheRunningJobOfItsKeyOnly) {
    Worker worker;
    Gate started;
    Gate release;
    std::atomic<bool> finished{false};
    worker.post(L"a", [&] {
        started.open();
        release.wait();
        finished = true;
    });
    ASSERT_TRUE(started.wait());

    // Another key's running job is not waited for.
    worker.cancel(L"b");
    EXPECT_FALSE(finished.load());

    auto cancelled = std::async(std::launch::async, [&] {
        worker.cancel(L"a");
        return finished.load();
    });
    // Give a cancel that does not wait the chance to return early.
    (void)cancelled.wait_for(std::chrono::milliseconds(100));
    release.open();
    ASSERT_EQ(std::future_status::ready, cancelled.wait_for(patience));
    EXPECT_TRUE(cancelled.get());
}

TEST(Worker, DestructionFinishesTheRunningJobAndDropsTheQueuedOnes) {
    Log log;
    Gate started;
    Gate allPosted;
    auto worker = std::make_unique<Worker>();
    Worker* raw = worker.get();
    raw->post([&] {
        started.open();
        // The queue is empty until the other two are posted: looking at it earlier would
        // let this job end and the next ones run before the destructor drops them.
        allPosted.wait();
        // Finish only once the destructor has emptied the queue (bounded).
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (raw->hasJobs() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        log.add("first");
    });
    raw->post([&] { log.add("second"); });
    raw->post(L"k", [&] { log.add("third"); });
    allPosted.open();
    ASSERT_TRUE(started.wait());
    worker.reset();
    EXPECT_EQ((std::vector<std::string>{"first"}), log.entries());
}
