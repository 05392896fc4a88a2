#include "ControlHost.hpp"
#include "WinTestSupport.hpp"

#include "err/Exceptions.hpp"
#include "ui/Dialog.hpp"
#include "ui/Frame.hpp"
#include "ui/layout/BorderLayouts.hpp"

#include <gtest/gtest.h>

#include <vector>

using testing_support::TestTopWindow;
using testing_support::windowSize;

namespace {

class Probe : public ui::Control {
public:
    Probe(ui::Window* parent, int width, int height) : ui::Control(parent), width_(width), height_(height) {}
    std::wstring getClassName() const override { return L"Oskel.TopWindowProbe"; }
    void afterCreate() override {
        ui::Control::afterCreate();
        setMinWidth(width_);
        setMinHeight(height_);
    }
    bool onKeyDown(int key, int, bool, bool) override {
        keys.push_back(key);
        return true;
    }
    bool onCommand(int code, ULONG_PTR) override {
        commands.push_back(code);
        return true;
    }
    bool handleMessage(const MSG& msg, LRESULT& result) override {
        if (msg.message == WM_CTLCOLORSTATIC) {
            result = 1234;
            return true;
        }
        return ui::Control::handleMessage(msg, result);
    }
    std::vector<int> keys;
    std::vector<int> commands;

private:
    int width_;
    int height_;
};

class TestFrame : public ui::Frame {
public:
    explicit TestFrame(ui::Window* owner = nullptr)
        : ui::Frame(L"Test frame", owner), first(this, 120, 30), second(this, 80, 30) {}
    ~TestFrame() override = default;

    // Controls are made with the window, so the window's first size fits them.
    bool onCreate(CREATESTRUCT* createStruct) override {
        const bool handled = ui::Frame::onCreate(createStruct);
        first.create();
        second.create();
        getRootPane().put(&first, ui::layout::Place::top);
        getRootPane().put(&second, ui::layout::Place::center);
        return handled;
    }
    bool onSize(int width, int height) override {
        sizes.push_back({width, height});
        return ui::Frame::onSize(width, height);
    }

    Probe first;
    Probe second;
    std::vector<std::pair<int, int>> sizes;
};

class TestDialog : public ui::Dialog {
public:
    explicit TestDialog(ui::Window* owner) : ui::Dialog(L"Test dialog", owner), probe(this, 200, 100) {}
    ~TestDialog() override = default;

    void build() { create(); }
    bool onCreate(CREATESTRUCT* createStruct) override {
        const bool handled = ui::Dialog::onCreate(createStruct);
        probe.create();
        getRootPane().put(&probe, ui::layout::Place::center);
        return handled;
    }
    bool handleMessage(const MSG& msg, LRESULT& result) override {
        if (msg.message == WM_APP) {
            setResult(ui::DialogResult::accepted);
            close();
            return true;
        }
        return ui::Dialog::handleMessage(msg, result);
    }

    Probe probe;
};

}  // namespace

TEST(TopWindowTest, TheMinimumSizeOfTheRootPaneHoldsForTrackingAndForMoves) {
    TestFrame frame;
    frame.create();
    frame.show(SW_SHOW);
    RECT client;
    GetClientRect(frame.getHandle(), &client);
    const SIZE outer = windowSize(frame.getHandle());
    const int nonClientWidth = outer.cx - client.right;
    const int nonClientHeight = outer.cy - client.bottom;
    // The wider probe sets the width; the two heights stack.
    EXPECT_EQ(120 + nonClientWidth, frame.getMinWidth());
    EXPECT_EQ(60 + nonClientHeight, frame.getMinHeight());

    MINMAXINFO info{};
    SendMessageW(frame.getHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(frame.getMinWidth(), info.ptMinTrackSize.x);
    EXPECT_EQ(frame.getMinHeight(), info.ptMinTrackSize.y);

    SetWindowPos(frame.getHandle(), nullptr, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE held = windowSize(frame.getHandle());
    EXPECT_EQ(frame.getMinWidth(), held.cx);
    EXPECT_EQ(frame.getMinHeight(), held.cy);

    SetWindowPos(frame.getHandle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(500 - nonClientWidth, frame.getRootPane().getWidth());
    EXPECT_EQ(500 - nonClientWidth, frame.second.getWidth());
}

TEST(TopWindowTest, AMaximisedSizeIsLaidOutWithoutOnSize) {
    TestFrame frame;
    frame.create();
    frame.show(SW_SHOW);
    frame.sizes.clear();
    SendMessageW(frame.getHandle(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(900, 700));
    SendMessageW(frame.getHandle(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(frame.sizes.empty());

    ShowWindow(frame.getHandle(), SW_MAXIMIZE);
    RECT client;
    GetClientRect(frame.getHandle(), &client);
    EXPECT_EQ(client.right, frame.getRootPane().getWidth());
    EXPECT_EQ(client.right, frame.second.getWidth());
}

TEST(TopWindowTest, TabMovesTheFocusInAFrameAcceleratorsRunAndEnterReachesTheControl) {
    TestFrame frame;
    int runs = 0;
    frame.getAccelerators().add(0, VK_F5, [&runs] { ++runs; });
    frame.create();
    frame.show(SW_SHOW);
    frame.first.focus();
    const auto keyDown = [&](WPARAM key) { return MSG{frame.first.getHandle(), WM_KEYDOWN, key, 1, 0, {}}; };

    MSG enter = keyDown(VK_RETURN);
    EXPECT_FALSE(frame.preTranslateMessage(&enter));
    DispatchMessageW(&enter);
    MSG accelerator = keyDown(VK_F5);
    EXPECT_TRUE(frame.preTranslateMessage(&accelerator));
    EXPECT_EQ(1, runs);
    EXPECT_EQ(std::vector<int>{VK_RETURN}, frame.first.keys);

    MSG tab = keyDown(VK_TAB);
    EXPECT_TRUE(frame.preTranslateMessage(&tab));
    EXPECT_TRUE(frame.second.hasFocus());
}

TEST(TopWindowTest, NotificationsAreReflectedToTheirControls) {
    TestFrame frame;
    frame.create();
    SendMessageW(frame.getHandle(), WM_COMMAND, MAKEWPARAM(frame.first.getId(), EN_CHANGE),
                 reinterpret_cast<LPARAM>(frame.first.getHandle()));
    EXPECT_EQ(std::vector<int>{EN_CHANGE}, frame.first.commands);
    EXPECT_EQ(1234, SendMessageW(frame.getHandle(), WM_CTLCOLORSTATIC, 0,
                                 reinterpret_cast<LPARAM>(frame.second.getHandle())));
}

TEST(TopWindowTest, TheDefaultControlIsFocusedAndTheLastFocusedOneComesBack) {
    TestFrame frame;
    frame.setDefaultControl(&frame.second);
    EXPECT_THROW(frame.setDefaultControl(nullptr), err::InvalidArgumentException);
    frame.create();
    frame.show(SW_SHOW);
    EXPECT_TRUE(frame.second.hasFocus());

    // The control reports its lost focus with a posted message, handled long before the
    // window is activated again.
    frame.first.focus();
    SetFocus(nullptr);
    testing_support::pumpFor(50);
    SetFocus(frame.getHandle());
    EXPECT_TRUE(frame.first.hasFocus());
}

TEST(TopWindowTest, SetTopmostChangesTheWindowOnlyWhenNeeded) {
    TestFrame frame;
    frame.create();
    testing_support::MessageRecorder positions(WM_WINDOWPOSCHANGING);
    positions.install(&frame);
    EXPECT_FALSE(frame.isTopmost());
    frame.setTopmost(false);
    EXPECT_TRUE(positions.seen.empty());
    frame.setTopmost(true);
    EXPECT_TRUE(frame.isTopmost());
    const size_t afterFirst = positions.seen.size();
    EXPECT_GT(afterFirst, 0u);
    frame.setTopmost(true);
    EXPECT_EQ(afterFirst, positions.seen.size());
    frame.setTopmost(false);
    EXPECT_FALSE(frame.isTopmost());
}

TEST(DialogTest, EscapeAndTheCloseBoxCancelAndTheOwnerIsEnabledAgain) {
    TestTopWindow owner(L"Oskel.DialogOwner");
    owner.create();
    owner.show(SW_SHOW);
    for (UINT way : {0u, 1u, 2u}) {
        TestDialog dialog(&owner);
        dialog.build();
        HWND hwnd = dialog.getHandle();
        if (way == 0) {
            PostMessageW(dialog.probe.getHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
        } else if (way == 1) {
            PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            PostMessageW(hwnd, WM_APP, 0, 0);
        }
        const ui::DialogResult result = dialog.showModal(ui::Placement::keepPosition);
        EXPECT_EQ(way == 2 ? ui::DialogResult::accepted : ui::DialogResult::cancelled, result) << way;
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_TRUE(IsWindowEnabled(owner.getHandle()));
    }
}

TEST(DialogTest, AQuitMessageEndsTheDialogAndReachesTheOuterLoop) {
    TestTopWindow owner(L"Oskel.DialogOwner");
    owner.create();
    TestDialog dialog(&owner);
    dialog.build();
    PostQuitMessage(3);
    EXPECT_EQ(ui::DialogResult::cancelled, dialog.showModal(ui::Placement::keepPosition));
    EXPECT_FALSE(dialog.isAttached());
    EXPECT_TRUE(IsWindowEnabled(owner.getHandle()));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST(DialogTest, ACentredDialogSitsOnTheCentreOfItsOwnersClientArea) {
    TestTopWindow owner(L"Oskel.DialogOwner");
    owner.create();
    MoveWindow(owner.getHandle(), 100, 80, 700, 500, FALSE);
    TestDialog dialog(&owner);
    dialog.build();
    dialog.centerOnOwner();

    RECT ownerClient;
    GetClientRect(owner.getHandle(), &ownerClient);
    MapWindowPoints(owner.getHandle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&ownerClient), 2);
    RECT window;
    RECT client;
    GetWindowRect(dialog.getHandle(), &window);
    GetClientRect(dialog.getHandle(), &client);
    const int nonClientHeight = (window.bottom - window.top) - client.bottom;
    EXPECT_EQ(ownerClient.left + (ownerClient.right - ownerClient.left) / 2 - (window.right - window.left) / 2,
              window.left);
    EXPECT_EQ(ownerClient.top + (ownerClient.bottom - ownerClient.top) / 2 - client.bottom / 2 - nonClientHeight / 2,
              window.top);
    // The root pane was grown to its minimum first.
    EXPECT_GE(dialog.getRootPane().getWidth(), 200);
}

TEST(DialogTest, DefaultButtonIdAndSystemMenuOfAFixedSizeDialog) {
    TestTopWindow owner(L"Oskel.DialogOwner");
    owner.create();
    TestDialog dialog(&owner);
    dialog.build();
    EXPECT_EQ(0, SendMessageW(dialog.getHandle(), DM_GETDEFID, 0, 0));
    SendMessageW(dialog.getHandle(), DM_SETDEFID, 17, 0);
    EXPECT_EQ(0x534B0000 | 17, SendMessageW(dialog.getHandle(), DM_GETDEFID, 0, 0));

    HMENU menu = GetSystemMenu(dialog.getHandle(), FALSE);
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
        EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu, command, MF_BYCOMMAND)) << command;
    }
    EXPECT_NE(static_cast<UINT>(-1), GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND));
    EXPECT_EQ(0u, GetWindowLongPtrW(dialog.getHandle(), GWL_STYLE) & WS_THICKFRAME);
}
