#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace sys::timers {

class BasicTimer;

// The function a timer calls on each tick, with the system's tick time in milliseconds.
using TimerCallback = std::function<void(std::uint32_t time)>;

// Window timers and multimedia timers number their timers independently: an id names a
// timer only together with the kind of system timer it came from.
enum class TimerSource { window, multimedia };

// Maps the ids of the running system timers of the process back to their timers. Ticks
// arrive on the user-interface thread (window timers) and on the system's timer thread
// (multimedia timers), so every access is under one lock; no callback runs under it.
class TimerRegistry {
public:
    static TimerRegistry& instance();

    TimerRegistry(const TimerRegistry&) = delete;
    TimerRegistry& operator=(const TimerRegistry&) = delete;

    void add(TimerSource source, std::uintptr_t id, const BasicTimer& timer,
             std::shared_ptr<const TimerCallback> callback);
    // Replaces the function of a registered id; ticks already running finish with the old one.
    void setCallback(TimerSource source, std::uintptr_t id, std::shared_ptr<const TimerCallback> callback);
    // Removes the id, then waits until no tick of `timer` runs on another thread. A tick
    // running further up the calling thread's own stack is not waited for.
    void remove(TimerSource source, std::uintptr_t id, const BasicTimer& timer);
    // Removes whatever is left of a timer that is being destroyed, waiting as remove() does.
    void forget(const BasicTimer& timer);
    bool contains(TimerSource source, std::uintptr_t id) const;

    // Calls the function registered for the id with the tick time. An id that is not
    // registered, or has no function, is ignored. Exceptions of the function propagate.
    void dispatch(TimerSource source, std::uintptr_t id, std::uint32_t time);

private:
    TimerRegistry() = default;

    using Key = std::pair<TimerSource, std::uintptr_t>;

    struct Entry {
        const BasicTimer* timer;
        std::shared_ptr<const TimerCallback> callback;
    };

    // A tick between its lookup and the end of its callback.
    struct RunningTick {
        const BasicTimer* timer;
        std::thread::id thread;
    };

    class TickScope;

    void waitForTicks(std::unique_lock<std::mutex>& guard, const BasicTimer& timer);

    mutable std::mutex lock_;
    std::condition_variable tickEnded_;
    std::map<Key, Entry> entries_;
    std::vector<RunningTick> running_;
};

}  // namespace sys::timers
