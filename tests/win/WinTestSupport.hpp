#pragma once

// Real windows for tests: a bounded message pump, a plain top-level window, and a watcher
// that answers the message boxes a test provokes.

#include "ui/MessageInterceptor.hpp"
#include "ui/VisualWindow.hpp"

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// Dispatches the thread's messages until `done` answers true or the time is up.
// Answers whether `done` became true.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Dispatches what is queued now, and what arrives within `ms`.
void pumpFor(DWORD ms);

// An overlapped top-level window of its own class.
class TestTopWindow : public ui::VisualWindow {
public:
    explicit TestTopWindow(std::wstring className = L"Oskel.TestTopWindow") : className_(std::move(className)) {}
    ~TestTopWindow() override = default;

    HWND getParentHandle() const override { return nullptr; }
    std::wstring getClassName() const override { return className_; }
    unsigned getStyle() const override { return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN; }

private:
    std::wstring className_;
};

// Records every message of one kind its target receives; `answer` says whether it
// consumes them.
class MessageRecorder : public ui::MessageInterceptor {
public:
    explicit MessageRecorder(UINT message, bool answer = false) : message_(message), answer_(answer) {}

    bool intercept(const MSG& msg, LRESULT&) override {
        if (msg.message != message_) {
            return false;
        }
        seen.push_back(msg);
        return answer_;
    }

    std::vector<MSG> seen;

private:
    UINT message_;
    bool answer_;
};

struct SeenBox {
    std::wstring caption;
    std::wstring text;
    RECT rect;
};

// Watches the message boxes of one thread from a second thread, records them and presses
// their first button. Stops when destroyed.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(DWORD threadId = GetCurrentThreadId());
    ~MessageBoxWatcher();

    std::vector<SeenBox> boxes() const;
    // Runs on the watcher thread while a box is on screen, before it is answered.
    void setWhileShowing(std::function<void(HWND box)> action);

private:
    void watch();

    DWORD threadId_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenBox> boxes_;
    std::vector<HWND> answered_;
    std::function<void(HWND)> whileShowing_;
    std::thread thread_;
};

// The whole content of a file, or empty when it cannot be read.
std::string readFile(const std::wstring& path);

}  // namespace testing_support
