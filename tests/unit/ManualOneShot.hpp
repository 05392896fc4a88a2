#pragma once

#include "sys/timers/OneShot.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace testing_support {

// A one-shot scheduler driven by hand: keeps the last action it was given, and the delays
// it was asked for, until the test fires it.
class ManualOneShot : public sys::timers::OneShot {
public:
    void callLater(int milliseconds, std::function<void()> action) override {
        delays.push_back(milliseconds);
        pending = std::move(action);
    }
    void fire() {
        auto action = std::move(pending);
        pending = nullptr;
        ASSERT_TRUE(action);
        action();
    }

    std::vector<int> delays;
    std::function<void()> pending;
};

}  // namespace testing_support
