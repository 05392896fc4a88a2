#include "WinTestSupport.hpp"

#include "ui/MessageBox.hpp"
#include "ui/ModalLoop.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using testing_support::MessageBoxWatcher;
using testing_support::TestTopWindow;

namespace {

constexpr UINT WM_FAIL = WM_APP + 10;
constexpr UINT WM_FAIL_ODDLY = WM_APP + 11;
constexpr UINT WM_WORK = WM_APP + 12;
constexpr UINT WM_FAIL_NESTED = WM_APP + 13;

class FailingWindow : public TestTopWindow {
public:
    FailingWindow() : TestTopWindow(L"Oskel.FailingWindow") {}

    bool handleMessage(const MSG& msg, LRESULT& result) override {
        switch (msg.message) {
        case WM_FAIL:
            throw std::runtime_error("the handler failed");
        case WM_FAIL_ODDLY:
            throw 42;
        case WM_FAIL_NESTED:
            throw std::logic_error("a nested failure");
        case WM_WORK:
            ++worked;
            result = 5;
            return true;
        default:
            return TestTopWindow::handleMessage(msg, result);
        }
    }

    int worked = 0;
};

}  // namespace

TEST(WindowErrorTest, AFailingHandlerShowsOneBoxPerMessageLogsAndTheWindowKeepsWorking) {
    FailingWindow window;
    window.create();
    {
        MessageBoxWatcher watcher;
        // Default processing answers a message nobody knows with 0.
        EXPECT_EQ(0, SendMessageW(window.getHandle(), WM_FAIL, 0, 0));
        EXPECT_EQ(0, SendMessageW(window.getHandle(), WM_FAIL, 0, 0));
        EXPECT_EQ(0, SendMessageW(window.getHandle(), WM_FAIL_ODDLY, 0, 0));
        EXPECT_EQ(5, SendMessageW(window.getHandle(), WM_WORK, 0, 0));

        const auto boxes = watcher.boxes();
        ASSERT_EQ(3u, boxes.size());
        for (const auto& box : boxes) {
            EXPECT_EQ(L"Error", box.caption);
        }
        EXPECT_EQ(L"std::runtime_error\nthe handler failed", boxes[0].text);
        EXPECT_EQ(L"Unknown exception", boxes[2].text);
    }
    EXPECT_EQ(1, window.worked);

    EXPECT_EQ(2u, testing_support::timesLogged("ui::wndProc std::runtime_error\nthe handler failed\n"));
    EXPECT_EQ(1u, testing_support::timesLogged("ui::wndProc Unknown exception\n"));
}

TEST(WindowErrorTest, AFailureWhileTheErrorBoxIsShowingIsLoggedWithoutASecondBox) {
    FailingWindow window;
    window.create();
    MessageBoxWatcher watcher;
    HWND hwnd = window.getHandle();
    // The box's own message loop delivers this while the first report is on screen.
    watcher.setWhileShowing(
        [hwnd](HWND) { SendMessageTimeoutW(hwnd, WM_FAIL_NESTED, 0, 0, SMTO_NORMAL, 5000, nullptr); });

    SendMessageW(hwnd, WM_FAIL, 0, 0);

    EXPECT_EQ(1u, watcher.boxes().size());
    EXPECT_EQ(1u, testing_support::timesLogged("ui::wndProc std::logic_error\na nested failure\n"));
}

TEST(MessageBoxTest, ABoxIsCentredOnItsOwnerAndKeptOnTheDesktop) {
    TestTopWindow owner;
    owner.create();
    // Where the box comes up, each kind of box for an owner at another place.
    const auto boxFor = [&](decltype(&ui::showInformation) show, int x, int y, int width, int height) {
        MoveWindow(owner.getHandle(), x, y, width, height, FALSE);
        MessageBoxWatcher watcher;
        EXPECT_EQ(IDOK, show(owner.getHandle(), L"Placed", L"Caption"));
        const auto boxes = watcher.boxes();
        EXPECT_EQ(1u, boxes.size());
        EXPECT_EQ(L"Placed", boxes.empty() ? L"" : boxes[0].text);
        return boxes.empty() ? RECT{} : boxes[0].rect;
    };

    const RECT centred = boxFor(ui::showInformation, 300, 200, 600, 400);
    EXPECT_EQ(300 + 600 / 2 - (centred.right - centred.left) / 2, centred.left);
    EXPECT_EQ(200 + 400 / 2 - (centred.bottom - centred.top) / 2, centred.top);
    const RECT topLeft = boxFor(ui::showWarning, -500, -400, 300, 200);
    EXPECT_EQ(0, topLeft.left);
    EXPECT_EQ(0, topLeft.top);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const RECT bottomRight = boxFor(ui::showError, desktop.right - 50, desktop.bottom - 50, 300, 200);
    EXPECT_EQ(desktop.right, bottomRight.right);
    EXPECT_EQ(desktop.bottom, bottomRight.bottom);
}

TEST(ModalLoopTest, TheLoopEndsAfterTheMessageThatSetsDoneAndTheFilterConsumesMessages) {
    class LoopWindow : public TestTopWindow {
    public:
        LoopWindow() : TestTopWindow(L"Oskel.LoopWindow") {}
        bool handleMessage(const MSG& msg, LRESULT& result) override {
            if (msg.message == WM_WORK) {
                seen.push_back(static_cast<int>(msg.wParam));
                if (msg.wParam == 3) {
                    loop.setDone();
                }
                return true;
            }
            return TestTopWindow::handleMessage(msg, result);
        }
        ui::ModalLoop loop;
        std::vector<int> seen;
    } window;
    window.create();
    window.loop.setFilter([](MSG* msg) { return msg->message == WM_WORK && msg->wParam == 2; });
    for (WPARAM n = 1; n <= 4; ++n) {
        PostMessageW(window.getHandle(), WM_WORK, n, 0);
    }
    EXPECT_EQ(ui::ModalLoop::Ending::done, window.loop.run());
    EXPECT_EQ((std::vector<int>{1, 3}), window.seen);

    // The quit message ends the loop with its code and is not dispatched.
    PostQuitMessage(9);
    EXPECT_EQ(ui::ModalLoop::Ending::quit, window.loop.run());
    EXPECT_EQ(9, window.loop.getQuitCode());
    testing_support::pumpFor(50);
    EXPECT_EQ((std::vector<int>{1, 3, 4}), window.seen);
}
