#pragma once

// Real windows for tests: a bounded message pump, a plain top-level window, watchers for the
// windows a thread opens (message boxes, menus), and what a failure leaves behind.

#include "unit/MessageOf.hpp"
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

// The visible windows of one class that belong to a thread.
std::vector<HWND> visibleThreadWindows(DWORD threadId, const std::wstring& className);

// Looks at one thread's windows of one class every 20 ms from a second thread, and hands each
// visible one to `action` there, with whether this is the first look at it. Stops when destroyed.
class ThreadWindowWatcher {
public:
    using Action = std::function<void(HWND window, bool first)>;
    ThreadWindowWatcher(std::wstring className, Action action, DWORD threadId = GetCurrentThreadId());
    ~ThreadWindowWatcher();
    ThreadWindowWatcher(const ThreadWindowWatcher&) = delete;
    ThreadWindowWatcher& operator=(const ThreadWindowWatcher&) = delete;

private:
    void watch();

    const std::wstring className_;
    const Action action_;
    const DWORD threadId_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

struct SeenBox {
    std::wstring caption;
    std::wstring text;
    RECT rect;
};

// Records the message boxes of one thread and presses their first button.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(DWORD threadId = GetCurrentThreadId());

    std::vector<SeenBox> boxes() const;
    // Runs on the watcher thread while a box is on screen, before it is answered.
    void setWhileShowing(std::function<void(HWND box)> action);

private:
    void answer(HWND box);

    mutable std::mutex mutex_;
    std::vector<SeenBox> boxes_;
    std::function<void(HWND)> whileShowing_;
    ThreadWindowWatcher watcher_;  // last: it stops before what it uses is gone
};

// The size of `text` in `font` on the screen, as DrawText with `format` measures it.
SIZE textSize(const std::wstring& text, HFONT font, UINT format = 0);

// Expects exactly one error report's box among `boxes`, showing `text`.
void expectOneErrorBox(const std::vector<SeenBox>& boxes, const std::wstring& text);
// How many times the program's log holds `entry`.
size_t timesLogged(const std::string& entry);

}  // namespace testing_support
