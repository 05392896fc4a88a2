#include "WinTestSupport.hpp"

#include "err/Exceptions.hpp"
#include "ui/Control.hpp"
#include "ui/MessageInterceptor.hpp"
#include "ui/Messages.hpp"
#include "ui/ToolTipper.hpp"
#include "ui/WindowClass.hpp"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::messageOf;
using testing_support::TestTopWindow;

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;

std::vector<std::string> calls;

class RecordingWindow : public TestTopWindow {
public:
    RecordingWindow() : TestTopWindow(L"Oskel.RecordingWindow") {}

    bool handleMessage(const MSG& msg, LRESULT& result) override {
        if (msg.message == WM_PROBE) {
            calls.push_back("handleMessage");
            result = 7;
            return true;
        }
        return TestTopWindow::handleMessage(msg, result);
    }
    bool onEraseBackground(HDC) override {
        calls.push_back("erase");
        return eraseAnswer;
    }
    bool onPaint() override {
        calls.push_back("paint");
        if (paintAnswer) {
            ValidateRect(getHandle(), nullptr);
        }
        return paintAnswer;
    }

    bool eraseAnswer = false;
    bool paintAnswer = true;
};

class RecordingInterceptor : public ui::MessageInterceptor {
public:
    RecordingInterceptor(std::string name, bool answer) : name_(std::move(name)), answer_(answer) {}

    bool intercept(const MSG& msg, LRESULT& result) override {
        if (msg.message != WM_PROBE) {
            return false;
        }
        calls.push_back(name_);
        if (answer_) {
            result = 42;
        }
        return answer_;
    }

private:
    std::string name_;
    bool answer_;
};

class KeyControl : public ui::Control {
public:
    explicit KeyControl(ui::Window* parent) : ui::Control(parent) {}
    std::wstring getClassName() const override { return L"Oskel.KeyControl"; }
    bool onKeyDown(int key, int, bool, bool) override {
        keys.push_back(key);
        return true;
    }
    std::vector<int> keys;
};

class TestEdit : public ui::Control {
public:
    explicit TestEdit(ui::Window* parent) : ui::Control(parent) {}
    std::wstring getClassName() const override { return L"Oskel.TestEdit"; }
    std::wstring getSuperclassName() const override { return L"EDIT"; }
};

class WindowDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        window.create();
    }

    RecordingWindow window;
};

}  // namespace

TEST_F(WindowDispatchTest, InterceptorsComeFirstInInstallationOrderAndTheFirstTrueWins) {
    RecordingInterceptor first("first", false);
    first.install(&window);
    // Without an interceptor answering, the window handles the message.
    EXPECT_EQ(7, SendMessageW(window.getHandle(), WM_PROBE, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"first", "handleMessage"}), calls);

    calls.clear();
    RecordingInterceptor second("second", true);
    RecordingInterceptor third("third", true);
    second.install(&window);
    third.install(&window);
    EXPECT_EQ(42, SendMessageW(window.getHandle(), WM_PROBE, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), calls);
}

TEST_F(WindowDispatchTest, AnInterceptorStopsSeeingMessagesWhenDestroyedOrMoved) {
    RecordingWindow other;
    other.create();
    {
        RecordingInterceptor gone("gone", true);
        gone.install(&window);
        gone.install(&other);
        EXPECT_EQ(7, SendMessageW(window.getHandle(), WM_PROBE, 0, 0));
    }
    EXPECT_EQ(7, SendMessageW(other.getHandle(), WM_PROBE, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"handleMessage", "handleMessage"}), calls);

    RecordingInterceptor nowhere("nowhere", true);
    EXPECT_EQ("Precondition failed:\nui::MessageInterceptor::install\ntarget!=0",
              messageOf<err::InvalidArgumentException>([&] { nowhere.install(nullptr); }));
}

TEST_F(WindowDispatchTest, EraseBackgroundFallsBackToPaint) {
    HDC dc = GetDC(window.getHandle());
    EXPECT_EQ(0, SendMessageW(window.getHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    EXPECT_EQ((std::vector<std::string>{"erase", "paint"}), calls);

    calls.clear();
    window.eraseAnswer = true;
    EXPECT_EQ(1, SendMessageW(window.getHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    EXPECT_EQ((std::vector<std::string>{"erase"}), calls);
    ReleaseDC(window.getHandle(), dc);
}

TEST_F(WindowDispatchTest, EscapeNeverReachesAControlsKeyHandler) {
    KeyControl control(&window);
    control.create();
    SendMessageW(control.getHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
    SendMessageW(control.getHandle(), WM_KEYDOWN, 'A', 1);
    SendMessageW(control.getHandle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ((std::vector<int>{'A', VK_RETURN}), control.keys);
}

TEST_F(WindowDispatchTest, AClassIsRegisteredOnceAndDerivedControlsKeepWorking) {
    EXPECT_TRUE(ui::WindowClass::isRegistered(L"Oskel.RecordingWindow"));
    RecordingWindow second;
    second.create();
    EXPECT_NE(window.getHandle(), second.getHandle());

    ui::WindowClass again(L"Oskel.RecordingWindow", 0, ui::initialWndProc);
    EXPECT_EQ("Precondition failed:\nui::WindowClass::registerClass\n!WindowClass::isRegistered(name)",
              messageOf<err::InvalidStateException>([&] { again.registerClass(); }));

    // Both edits reach the system edit's procedure: the text round-trips through it.
    TestEdit first(&window);
    TestEdit other(&window);
    first.create();
    other.create();
    SetWindowTextW(other.getHandle(), L"typed");
    wchar_t text[16] = {};
    GetWindowTextW(other.getHandle(), text, 16);
    EXPECT_STREQ(L"typed", text);
    EXPECT_EQ(5, other.callSuperclassProc(WM_GETTEXTLENGTH, 0, 0));
    const ui::Window& constEdit = other;
    EXPECT_EQ(5, constEdit.callSuperclassProc(WM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ("Precondition failed:\nui::Window::callSuperclassProc\nisConstMessage(message)",
              messageOf<err::InvalidArgumentException>(
                  [&] { constEdit.callSuperclassProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x")); }));
    EXPECT_EQ("Precondition failed:\nui::Window::callSuperclassProc\nsuperclassProc != 0",
              messageOf<err::InvalidStateException>([&] { window.callSuperclassProc(WM_USER, 0, 0); }));
}

TEST_F(WindowDispatchTest, WindowClassChecksAndLookups) {
    EXPECT_EQ("Window class not found: No.Such.Class.",
              messageOf<err::InvalidArgumentException>([&] { ui::WindowClass::getByName(L"No.Such.Class"); }));

    TestTopWindow longName(L"Oskel.AVeryLongTestWindowClassName");
    longName.create();
    EXPECT_EQ(L"Oskel.AVeryLongTestWindo", ui::WindowClass::getNameByHwnd(longName.getHandle()));
}

TEST_F(WindowDispatchTest, CreateAndDestroyCheckTheirStateAndAChildDiesWithItsParent) {
    EXPECT_EQ("Precondition failed:\nui::Window::create\n!isAttached()",
              messageOf<err::InvalidStateException>([&] { window.create(); }));
    KeyControl child(&window);
    child.create();
    HWND hwnd = window.getHandle();
    window.destroy();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(window.isAttached());
    EXPECT_FALSE(child.isAttached());
    EXPECT_EQ(nullptr, child.getHandle());
    EXPECT_THROW(window.destroy(), err::InvalidStateException);
    window.create();
    EXPECT_TRUE(window.isAttached());
}

TEST_F(WindowDispatchTest, ALostFocusIsReportedAndDisablingTheFocusedControlThrowsUntilTheFocusMoves) {
    testing_support::MessageRecorder watcher(ui::WM_CONTROLFOCUSLOST);
    watcher.install(&window);
    window.show(SW_SHOW);
    KeyControl first(&window);
    KeyControl second(&window);
    first.create();
    second.create();
    first.focus();
    ASSERT_TRUE(first.hasFocus());
    EXPECT_EQ("Precondition failed:\nui::Control::setEnabled\nenabled || !hasFocus()",
              messageOf<err::InvalidStateException>([&] { first.setEnabled(false); }));
    EXPECT_TRUE(IsWindowEnabled(first.getHandle()));

    // The top-level window hears of the lost focus with the control's handle.
    second.focus();
    ASSERT_TRUE(testing_support::pumpUntil([&] { return !watcher.seen.empty(); }));
    EXPECT_EQ(first.getHandle(), reinterpret_cast<HWND>(watcher.seen.front().wParam));
    first.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(first.getHandle()));

    KeyControl detached(&window);
    EXPECT_THROW(detached.focus(), err::InvalidStateException);
}

TEST_F(WindowDispatchTest, AChildWithoutContextMenuHandsTheRequestToItsParent) {
    testing_support::MessageRecorder watcher(WM_CONTEXTMENU, true);
    watcher.install(&window);
    KeyControl child(&window);
    child.create();
    ASSERT_TRUE(child.contextMenu.isEmpty());
    SendMessageW(child.getHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child.getHandle()), MAKELPARAM(30, 40));
    ASSERT_TRUE(testing_support::pumpUntil([&] { return !watcher.seen.empty(); }));
    EXPECT_EQ(child.getHandle(), reinterpret_cast<HWND>(watcher.seen.front().wParam));
    EXPECT_EQ(MAKELPARAM(30, 40), watcher.seen.front().lParam);
}

TEST_F(WindowDispatchTest, ChildIdsFollowConstructionOrderAndGetControlAcceptsOnlyToolkitControls) {
    RecordingWindow otherParent;
    otherParent.create();
    KeyControl a(&window);
    KeyControl b(&otherParent);
    KeyControl c(&window);
    EXPECT_EQ(a.getId() + 1, b.getId());
    EXPECT_EQ(b.getId() + 1, c.getId());
    c.create();
    EXPECT_EQ(c.getId(), GetDlgCtrlID(c.getHandle()));
    EXPECT_EQ(window.getHandle(), GetParent(c.getHandle()));
    EXPECT_EQ(&c, &ui::getControl(c.getHandle()));

    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, window.getHandle(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    for (HWND hwnd : {foreign, window.getHandle()}) {
        EXPECT_EQ("Failed to retrieve control.", messageOf<err::RuntimeException>([&] { ui::getControl(hwnd); }));
    }
    DestroyWindow(foreign);
}

TEST_F(WindowDispatchTest, AMinimumWidthWidensTheWindow) {
    window.setWidth(300);
    window.setHeight(200);
    EXPECT_EQ(300, window.getWindowWidth());
    window.setMinWidth(400);
    EXPECT_EQ(400, window.getWindowWidth());
    window.setWidth(100);
    EXPECT_EQ(400, window.getWindowWidth());
}

TEST_F(WindowDispatchTest, ATooltipIsATopmostPopupOfTheSystemTooltipClass) {
    ui::ToolTipper tooltip(&window, 0);
    tooltip.create();
    EXPECT_EQ(window.getHandle(), GetWindow(tooltip.getHandle(), GW_OWNER));
    EXPECT_NE(0, GetWindowLongPtrW(tooltip.getHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
              GetWindowLongPtrW(tooltip.getHandle(), GWL_STYLE) & (WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX));
    // The system class answers its own messages through the superclass procedure.
    EXPECT_EQ(0, SendMessageW(tooltip.getHandle(), TTM_GETTOOLCOUNT, 0, 0));

    EXPECT_EQ("Precondition failed:\nui::PopupWindow::PopupWindow\nparent != 0",
              messageOf<err::InvalidArgumentException>([&] { ui::ToolTipper orphan(nullptr, 0); }));
}
