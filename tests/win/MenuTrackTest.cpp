#include "MenuTestSupport.hpp"

#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"
#include "ui/menu/Popup.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace testing_support;
using ui::menu::Command;
using ui::menu::Item;
using ui::menu::Popup;

namespace {

// What a timer saw while a popup was tracked; the timer ends the menu once it has seen the
// menu's border repainted, or after about five seconds at the latest.
struct TrackWatch {
    int ticks = 0;
    HWND menuWindow = nullptr;
    bool borderRepainted = false;
    COLORREF corner = CLR_INVALID;
    COLORREF insideCorner = CLR_INVALID;
};

TrackWatch watch;

HWND visibleMenuWindow() {
    const std::vector<HWND> menus = visibleThreadWindows(GetCurrentThreadId(), L"#32768");
    return menus.empty() ? nullptr : menus.front();
}

void CALLBACK watchTrackedMenu(HWND, UINT, UINT_PTR, DWORD) {
    ++watch.ticks;
    if (const HWND menu = visibleMenuWindow()) {
        watch.menuWindow = menu;
        RECT bounds;
        GetWindowRect(menu, &bounds);
        const HDC screen = GetDC(nullptr);
        watch.corner = GetPixel(screen, bounds.left, bounds.top);
        watch.insideCorner = GetPixel(screen, bounds.left + 1, bounds.top + 1);
        ReleaseDC(nullptr, screen);
        watch.borderRepainted =
            watch.corner == GetSysColor(COLOR_BTNSHADOW) && watch.insideCorner == iconColumnColour();
    }
    if (watch.borderRepainted || watch.ticks > 100) {
        EndMenu();
    }
}

// Tracks the popup with the watching timer running, and stops the timer afterwards.
int trackWatched(Popup& popup, int x, int y) {
    watch = TrackWatch();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, watchTrackedMenu);
    const int answer = popup.track(x, y, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD);
    KillTimer(nullptr, timer);
    pumpFor(20);
    return answer;
}

}  // namespace

TEST(MenuTrack, APopupIsShownWithItsBorderRepaintedOnItsWindowOrItsStandByWindow) {
    MenuTestWindow owner(true);
    int enabledAsked = 0;
    Command command("menu.edit.copy", nullptr, [&] { return ++enabledAsked > 0; });
    Popup empty;
    empty.install(&owner);
    EXPECT_EQ(0, empty.track(10, 10, TPM_RETURNCMD)) << "an empty popup is not shown";

    Popup popup;
    popup.appendItem(std::make_unique<Item>(command));
    popup.appendSeparator();
    popup.appendItem(std::make_unique<Item>(command));
    popup.install(&owner);
    EXPECT_EQ(0, trackWatched(popup, 150, 150));
    EXPECT_NE(nullptr, watch.menuWindow);
    EXPECT_TRUE(watch.borderRepainted) << std::hex << "corner " << watch.corner << ", inside " << watch.insideCorner;
    EXPECT_GT(enabledAsked, 0);
    EXPECT_EQ(nullptr, visibleMenuWindow());

    // Installed nowhere: the stand-by window passes the menu's draw requests on to the popup.
    Popup loose;
    loose.appendItem(std::make_unique<Item>(command));
    ASSERT_EQ(nullptr, loose.getTarget());
    EXPECT_EQ(0, trackWatched(loose, 200, 200));
    EXPECT_NE(nullptr, watch.menuWindow);
    EXPECT_TRUE(watch.borderRepainted);
    EXPECT_NE(nullptr, loose.getTarget());
    EXPECT_EQ(nullptr, visibleMenuWindow());
}
