#include "sys/threading/Worker.hpp"

#include <algorithm>

namespace sys::threading {

Worker::Worker() : thread_(*this) {
    thread_.start();
}

Worker::~Worker() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopRequested_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    thread_.join();
}

void Worker::post(Job job) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        jobs_.push_back(Entry{std::wstring(), std::move(job)});
    }
    wake_.notify_one();
}

void Worker::post(const std::wstring& key, Job job) {
    if (key.empty()) {
        post(std::move(job));
        return;
    }
    Job superseded;  // destroyed outside the lock: it may own a large snapshot
    {
        std::lock_guard<std::mutex> guard(lock_);
        const auto queued =
            std::find_if(jobs_.begin(), jobs_.end(), [&](const Entry& entry) { return entry.key == key; });
        if (queued != jobs_.end()) {
            superseded = std::move(queued->job);
            queued->job = std::move(job);
        } else {
            jobs_.push_back(Entry{key, std::move(job)});
        }
    }
    wake_.notify_one();
}

void Worker::cancel(const std::wstring& key) {
    std::deque<Entry> dropped;
    {
        std::unique_lock<std::mutex> guard(lock_);
        for (auto it = jobs_.begin(); it != jobs_.end();) {
            if (it->key == key) {
                dropped.push_back(std::move(*it));
                it = jobs_.erase(it);
            } else {
                ++it;
            }
        }
        done_.wait(guard, [&] { return !running_ || runningKey_ != key; });
    }
}

void Worker::waitIdle() {
    std::unique_lock<std::mutex> guard(lock_);
    done_.wait(guard, [&] { return (jobs_.empty() && !running_) || stopRequested_; });
}

bool Worker::hasJobs() const {
    std::lock_guard<std::mutex> guard(lock_);
    return !jobs_.empty();
}

Worker::WorkerThread::~WorkerThread() {
    join();
}

void Worker::WorkerThread::run() {
    Worker& w = worker_;
    for (;;) {
        Entry entry;
        {
            std::unique_lock<std::mutex> guard(w.lock_);
            w.wake_.wait(guard, [&] { return w.stopRequested_ || !w.jobs_.empty(); });
            if (w.stopRequested_) {
                return;
            }
            entry = std::move(w.jobs_.front());
            w.jobs_.pop_front();
            w.running_ = true;
            w.runningKey_ = entry.key;
        }
        try {
            entry.job();
        } catch (...) {
            // Jobs record their own failures; nothing here may end the program.
        }
        entry = Entry{};
        {
            std::lock_guard<std::mutex> guard(w.lock_);
            w.running_ = false;
            w.runningKey_.clear();
        }
        w.done_.notify_all();
    }
}

}  // namespace sys::threading
