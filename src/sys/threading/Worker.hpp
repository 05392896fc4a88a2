#pragma once

#include "sys/threading/Thread.hpp"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

namespace sys::threading {

// One background thread that runs posted jobs one at a time, in posting order. Jobs
// still queued when the worker is destroyed are dropped; a running job is finished first.
// A job that throws does not end the thread; jobs catch and record their own failures.
class Worker {
public:
    using Job = std::function<void()>;

    Worker();
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void post(Job job);
    // Posts a job that supersedes a queued, not yet started job of the same key: that one
    // is replaced in its place in the queue. Jobs already running are not affected.
    void post(const std::wstring& key, Job job);
    // Drops the queued jobs of a key and waits until a running job of that key has ended.
    void cancel(const std::wstring& key);
    // Waits until the queue is empty and no job runs.
    void waitIdle();

    bool hasJobs() const;

private:
    class WorkerThread : public Thread {
    public:
        explicit WorkerThread(Worker& worker) : worker_(worker) {}
        ~WorkerThread() override;

    protected:
        void run() override;

    private:
        Worker& worker_;
    };

    struct Entry {
        std::wstring key;  // empty for jobs without one
        Job job;
    };

    mutable std::mutex lock_;
    std::condition_variable wake_;  // a job was posted, or stop was requested
    std::condition_variable done_;  // a job ended
    std::deque<Entry> jobs_;
    bool running_ = false;
    std::wstring runningKey_;
    bool stopRequested_ = false;
    WorkerThread thread_;
};

}  // namespace sys::threading
