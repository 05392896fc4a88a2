#include "sys/timers/TimerRegistry.hpp"

#include <algorithm>

namespace sys::timers {

// Marks a tick as running from its lookup until its callback, and the callback's last
// reference, are gone, so that stopping a timer can wait for it.
class TimerRegistry::TickScope {
public:
    explicit TickScope(TimerRegistry& registry) : registry_(registry) {}
    TickScope(const TickScope&) = delete;
    TickScope& operator=(const TickScope&) = delete;

    ~TickScope() {
        if (timer_ == nullptr) {
            return;
        }
        {
            std::lock_guard<std::mutex> guard(registry_.lock_);
            auto& running = registry_.running_;
            const auto self = std::this_thread::get_id();
            const auto tick = std::find_if(running.begin(), running.end(),
                                           [&](const RunningTick& t) { return t.timer == timer_ && t.thread == self; });
            if (tick != running.end()) {
                running.erase(tick);
            }
        }
        registry_.tickEnded_.notify_all();
    }

    // Called under the registry lock.
    void enter(const BasicTimer* timer) {
        registry_.running_.push_back(RunningTick{timer, std::this_thread::get_id()});
        timer_ = timer;
    }

private:
    TimerRegistry& registry_;
    const BasicTimer* timer_ = nullptr;
};

TimerRegistry& TimerRegistry::instance() {
    // Never destroyed: a timer with static storage may stop after other statics are gone,
    // and the system's timer thread may still deliver a tick during shutdown.
    static TimerRegistry* const registry = new TimerRegistry;
    return *registry;
}

void TimerRegistry::add(TimerSource source, std::uintptr_t id, const BasicTimer& timer,
                        std::shared_ptr<const TimerCallback> callback) {
    std::lock_guard<std::mutex> guard(lock_);
    entries_[Key{source, id}] = Entry{&timer, std::move(callback)};
}

void TimerRegistry::setCallback(TimerSource source, std::uintptr_t id, std::shared_ptr<const TimerCallback> callback) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        const auto found = entries_.find(Key{source, id});
        if (found == entries_.end()) {
            return;
        }
        found->second.callback.swap(callback);
    }
    // The replaced function is released here, outside the lock: its captures may do anything.
}

void TimerRegistry::remove(TimerSource source, std::uintptr_t id, const BasicTimer& timer) {
    std::shared_ptr<const TimerCallback> released;
    {
        std::unique_lock<std::mutex> guard(lock_);
        const auto found = entries_.find(Key{source, id});
        if (found != entries_.end() && found->second.timer == &timer) {
            released = std::move(found->second.callback);
            entries_.erase(found);
        }
        waitForTicks(guard, timer);
    }
}

void TimerRegistry::forget(const BasicTimer& timer) {
    std::vector<std::shared_ptr<const TimerCallback>> released;
    {
        std::unique_lock<std::mutex> guard(lock_);
        for (auto entry = entries_.begin(); entry != entries_.end();) {
            if (entry->second.timer == &timer) {
                released.push_back(std::move(entry->second.callback));
                entry = entries_.erase(entry);
            } else {
                ++entry;
            }
        }
        waitForTicks(guard, timer);
    }
}

bool TimerRegistry::contains(TimerSource source, std::uintptr_t id) const {
    std::lock_guard<std::mutex> guard(lock_);
    return entries_.count(Key{source, id}) != 0;
}

void TimerRegistry::dispatch(TimerSource source, std::uintptr_t id, std::uint32_t time) {
    // Declared before the callback so that the callback's copy is released first.
    TickScope scope(*this);
    std::shared_ptr<const TimerCallback> callback;
    {
        std::lock_guard<std::mutex> guard(lock_);
        const auto found = entries_.find(Key{source, id});
        if (found == entries_.end() || !found->second.callback) {
            return;
        }
        scope.enter(found->second.timer);
        // A copy: the callback may restart or re-program its own timer, which replaces the
        // registered function while this one is still running.
        callback = found->second.callback;
    }
    (*callback)(time);
}

void TimerRegistry::waitForTicks(std::unique_lock<std::mutex>& guard, const BasicTimer& timer) {
    const auto self = std::this_thread::get_id();
    tickEnded_.wait(guard, [&] {
        return std::none_of(running_.begin(), running_.end(),
                            [&](const RunningTick& tick) { return tick.timer == &timer && tick.thread != self; });
    });
}

}  // namespace sys::timers
