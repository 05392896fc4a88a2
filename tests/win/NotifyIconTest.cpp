#include "WinTestSupport.hpp"

#include "ui/NotifyIcon.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"
#include "ui/menu/Popup.hpp"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

using testing_support::MessageRecorder;
using testing_support::pumpUntil;
using testing_support::TestTopWindow;
using ui::NotifyIcon;

namespace {

constexpr int iconId = 7;
constexpr int appIcon = 1;

struct NotifyIconTest : ::testing::Test {
    NotifyIconTest() { window.create(); }

    LRESULT callback(UINT mouseMessage, int id = iconId) {
        return SendMessageW(window.getHandle(), NotifyIcon::callbackMessage, static_cast<WPARAM>(id),
                            static_cast<LPARAM>(mouseMessage));
    }
    // Whether the shell knows the icon: it changes only icons it has.
    bool shellHasIcon() {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = window.getHandle();
        data.uID = iconId;
        data.uFlags = NIF_TIP;
        wcscpy(data.szTip, L"probe");
        return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    }
    void dropFromShell() {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = window.getHandle();
        data.uID = iconId;
        Shell_NotifyIconW(NIM_DELETE, &data);
    }

    TestTopWindow window;
};

// The tray menu as a timer sees it while it is open; the timer then closes it.
struct MenuWatch {
    int ticks = 0;
    RECT seen{};
    bool shown = false;
};
MenuWatch menuWatch;

void CALLBACK closeTrayMenu(HWND, UINT, UINT_PTR, DWORD) {
    ++menuWatch.ticks;
    const std::vector<HWND> menus = testing_support::visibleThreadWindows(GetCurrentThreadId(), L"#32768");
    if (!menus.empty()) {
        menuWatch.shown = true;
        GetWindowRect(menus.front(), &menuWatch.seen);
    }
    if (menuWatch.shown || menuWatch.ticks > 100) {
        EndMenu();
    }
}

}  // namespace

// The 64-bit size of the record with balloons and the GUID; the shell rejects others.
static_assert(sizeof(NOTIFYICONDATAW) == 976, "the whole record of current shells");

TEST_F(NotifyIconTest, AddsAndRemovesItsIconAndGoesWithItsObject) {
    NotifyIcon icon(window, iconId, appIcon, L"Varnel test");
    EXPECT_FALSE(icon.isAdded());
    ASSERT_TRUE(icon.add());
    EXPECT_TRUE(icon.isAdded());
    EXPECT_TRUE(shellHasIcon());
    icon.remove();
    EXPECT_FALSE(icon.isAdded());
    EXPECT_FALSE(shellHasIcon());

    // An icon goes with its object.
    {
        NotifyIcon added(window, iconId, appIcon, L"Varnel test");
        ASSERT_TRUE(added.add());
    }
    EXPECT_FALSE(shellHasIcon());
}

TEST_F(NotifyIconTest, CallbacksRaiseItsEventsAndAreConsumed) {
    NotifyIcon icon(window, iconId, appIcon, L"Varnel test");
    int left = 0;
    int balloon = 0;
    icon.leftClicked.connect([&] { ++left; });
    icon.balloonClicked.connect([&] { ++balloon; });
    MessageRecorder after(NotifyIcon::callbackMessage);
    after.install(&window);

    callback(WM_LBUTTONDOWN);
    EXPECT_EQ(1, left);
    EXPECT_EQ(0, balloon);
    callback(0x405);  // the balloon was clicked
    EXPECT_EQ(1, left);
    EXPECT_EQ(1, balloon);
    callback(WM_MOUSEMOVE);
    callback(WM_LBUTTONUP);
    callback(WM_RBUTTONUP);  // no menu set: nothing to show
    EXPECT_EQ(1, left);
    EXPECT_EQ(1, balloon);
    EXPECT_TRUE(after.seen.empty()) << "all of its callbacks are consumed";

    callback(WM_LBUTTONDOWN, iconId + 1);
    EXPECT_EQ(1, left) << "another icon's click";
    EXPECT_EQ(1u, after.seen.size());
}

TEST_F(NotifyIconTest, RightButtonUpOpensTheMenuAboveTheCursor) {
    NotifyIcon icon(window, iconId, appIcon, L"Varnel test");
    ui::menu::Command command("tray.restore");
    ui::menu::Popup menu;
    menu.appendItem(std::make_unique<ui::menu::Item>(command));
    menu.install(&window);
    icon.setMenu(&menu);

    ASSERT_TRUE(SetCursorPos(400, 500));
    menuWatch = MenuWatch();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, closeTrayMenu);
    callback(WM_RBUTTONUP);
    KillTimer(nullptr, timer);
    ASSERT_TRUE(menuWatch.shown);
    // Bottom-aligned at the cursor: the menu opens upwards, as over a task bar.
    EXPECT_NEAR(500, menuWatch.seen.bottom, 2);
    EXPECT_NEAR(400, menuWatch.seen.left, 2);
    EXPECT_LT(menuWatch.seen.top, 500);
}

TEST_F(NotifyIconTest, TaskbarCreatedAddsTheIconAgain) {
    NotifyIcon icon(window, iconId, appIcon, L"Varnel test");
    ASSERT_TRUE(icon.add());
    // A new shell knows no icons.
    dropFromShell();
    ASSERT_FALSE(shellHasIcon());
    SendMessageW(window.getHandle(), NotifyIcon::taskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(shellHasIcon());
    EXPECT_TRUE(icon.isAdded());

    // An announcement while the icon is still there keeps it.
    SendMessageW(window.getHandle(), NotifyIcon::taskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(icon.isAdded());
    EXPECT_TRUE(shellHasIcon());

    // A removed icon stays away.
    icon.remove();
    SendMessageW(window.getHandle(), NotifyIcon::taskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(icon.isAdded());
    EXPECT_FALSE(shellHasIcon());
}

TEST_F(NotifyIconTest, AnIconThatCouldNotBeAddedComesWithTheNextShell) {
    TestTopWindow later;
    NotifyIcon icon(later, iconId, appIcon, L"Varnel test");
    // No window yet: the shell has nowhere to send the icon's messages.
    EXPECT_FALSE(icon.add());
    EXPECT_FALSE(icon.isAdded());
    later.create();
    SendMessageW(later.getHandle(), NotifyIcon::taskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(icon.isAdded());
}

TEST_F(NotifyIconTest, ABalloonGoesAfterItsTimeOut) {
    NotifyIcon icon(window, iconId, appIcon, L"Varnel test");
    icon.showBalloon(L"Title", L"Not shown without the icon", 4000);
    EXPECT_FALSE(icon.isBalloonShown());

    ASSERT_TRUE(icon.add());
    // Longer than the shell's fields: cut to fit.
    icon.showBalloon(std::wstring(200, L'T'), std::wstring(1000, L'x'), 100);
    EXPECT_TRUE(icon.isBalloonShown());
    EXPECT_TRUE(pumpUntil([&] { return !icon.isBalloonShown(); }, 5000));
    EXPECT_TRUE(icon.isAdded());
    EXPECT_TRUE(shellHasIcon());
}
