#pragma once

#include <windows.h>

#include <functional>

namespace ui {

// Gets and dispatches the messages of every window of the thread until it is told to end.
class ModalLoop {
public:
    // Answers true when it consumed the message.
    using Filter = std::function<bool(MSG*)>;

    ModalLoop() = default;
    explicit ModalLoop(Filter filter) : filter_(std::move(filter)) {}

    void setFilter(Filter filter) { filter_ = std::move(filter); }
    // Ends the loop after the message being dispatched.
    void setDone(bool done = true) { done_ = done; }
    bool isDone() const { return done_; }

    enum class Ending { done, quit, failed };

    // A quit message ends the loop and is taken off the queue: whoever runs a nested loop
    // posts it again (with getQuitCode()) so the outer loop ends too.
    Ending run();
    int getQuitCode() const { return quitCode_; }

private:
    Filter filter_;
    bool done_ = false;
    int quitCode_ = 0;
};

}  // namespace ui
