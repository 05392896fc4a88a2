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

MessageBoxWatcher::MessageBoxWatcher(DWORD threadId) : threadId_(threadId), thread_([this] { watch(); }) {
}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenBox> MessageBoxWatcher::boxes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
}

void MessageBoxWatcher::setWhileShowing(std::function<void(HWND)> action) {
    std::lock_guard<std::mutex> lock(mutex_);
    whileShowing_ = std::move(action);
}

void MessageBoxWatcher::watch() {
    while (!stop_) {
        std::vector<HWND> found;
        EnumThreadWindows(
            threadId_,
            [](HWND hwnd, LPARAM param) -> BOOL {
                wchar_t name[16] = {};
                GetClassNameW(hwnd, name, 16);
                if (std::wstring(name) == L"#32770" && IsWindowVisible(hwnd)) {
                    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        for (HWND box : found) {
            std::function<void(HWND)> action;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (std::find(answered_.begin(), answered_.end(), box) != answered_.end()) {
                    continue;
                }
                answered_.push_back(box);
                SeenBox seen{};
                wchar_t text[1024] = {};
                GetWindowTextW(box, text, 1024);
                seen.caption = text;
                // The message text is the box's static control 0xFFFF.
                text[0] = 0;
                GetDlgItemTextW(box, 0xFFFF, text, 1024);
                seen.text = text;
                GetWindowRect(box, &seen.rect);
                boxes_.push_back(seen);
                action = whileShowing_;
            }
            if (action) {
                action(box);
            }
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        Sleep(20);
    }
}

std::string readFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace testing_support
