#include "WinTestSupport.hpp"

#include "ui/ErrorPresenter.hpp"
#include "ui/WindowThread.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

namespace testing_support {

namespace {

// The tests' main thread is the window thread, as the program's is: errors come up in boxes
// there, whichever thread reports them.
class WindowThreadEnvironment : public testing::Environment {
public:
    void SetUp() override {
        thread_ = std::make_unique<ui::WindowThread>();
        presenter_ = std::make_unique<ui::ErrorPresenter>(*thread_);
    }
    void TearDown() override {
        presenter_.reset();
        thread_.reset();
    }

private:
    std::unique_ptr<ui::WindowThread> thread_;
    std::unique_ptr<ui::ErrorPresenter> presenter_;
};

[[maybe_unused]] testing::Environment* const windowThreadEnvironment =
    testing::AddGlobalTestEnvironment(new WindowThreadEnvironment);

}  // namespace

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return done();
        }
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, 20), QS_ALLINPUT);
        }
        // One message at a time: a window that never validates its paint must not keep
        // the pump from looking at the clock.
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    pumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 1);
}

std::vector<HWND> visibleThreadWindows(DWORD threadId, const std::wstring& className) {
    struct Search {
        const std::wstring& className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumThreadWindows(
        threadId,
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(param);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (search.className == name && IsWindowVisible(hwnd)) {
                search.found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ThreadWindowWatcher::ThreadWindowWatcher(std::wstring className, Action action, DWORD threadId)
    : className_(std::move(className)), action_(std::move(action)), threadId_(threadId), thread_([this] { watch(); }) {}

ThreadWindowWatcher::~ThreadWindowWatcher() {
    stop_ = true;
    thread_.join();
}

void ThreadWindowWatcher::watch() {
    std::vector<HWND> seen;
    while (!stop_) {
        for (HWND window : visibleThreadWindows(threadId_, className_)) {
            const bool first = std::find(seen.begin(), seen.end(), window) == seen.end();
            if (first) {
                seen.push_back(window);
            }
            action_(window, first);
        }
        Sleep(20);
    }
}

MessageBoxWatcher::MessageBoxWatcher(DWORD threadId)
    : watcher_(
        L"#32770",
        [this](HWND box, bool first) {
            if (first) {
                answer(box);
            }
        },
        threadId) {}

std::vector<SeenBox> MessageBoxWatcher::boxes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
}

void MessageBoxWatcher::setWhileShowing(std::function<void(HWND)> action) {
    std::lock_guard<std::mutex> lock(mutex_);
    whileShowing_ = std::move(action);
}

void MessageBoxWatcher::answer(HWND box) {
    SeenBox seen{};
    wchar_t text[1024] = {};
    GetWindowTextW(box, text, 1024);
    seen.caption = text;
    // The message text is the box's static control 0xFFFF.
    text[0] = 0;
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    seen.text = text;
    GetWindowRect(box, &seen.rect);
    std::function<void(HWND)> action;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        boxes_.push_back(seen);
        action = whileShowing_;
    }
    if (action) {
        action(box);
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

SIZE textSize(const std::wstring& text, HFONT font, UINT format) {
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void expectOneErrorBox(const std::vector<SeenBox>& boxes, const std::wstring& text) {
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Error", boxes[0].caption);
    EXPECT_EQ(text, boxes[0].text);
}

size_t timesLogged(const std::string& entry) {
    std::ifstream in("log.txt", std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    const std::string log = content.str();
    size_t count = 0;
    for (size_t at = log.find(entry); at != std::string::npos; at = log.find(entry, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace testing_support
