#include "WinTestSupport.hpp"

#include "gdi/Color.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"
#include "ui/menu/Popup.hpp"

#include <gtest/gtest.h>

#include <memory>

using testing_support::TestTopWindow;
using ui::menu::Command;
using ui::menu::Item;
using ui::menu::Popup;

namespace {

class MenuTrackWindow : public TestTopWindow {
public:
    MenuTrackWindow() : TestTopWindow(L"Oskel.MenuTrackWindow") {
        create();
        SetWindowPos(getHandle(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
        show(SW_SHOW);
    }
};

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
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, L"#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(found)) {
            return found;
        }
    }
    return nullptr;
}

void CALLBACK watchTrackedMenu(HWND, UINT, UINT_PTR, DWORD) {
    ++watch.ticks;
    const HWND menu = visibleMenuWindow();
    if (menu != nullptr) {
        watch.menuWindow = menu;
        RECT bounds;
        GetWindowRect(menu, &bounds);
        const HDC screen = GetDC(nullptr);
        watch.corner = GetPixel(screen, bounds.left, bounds.top);
        watch.insideCorner = GetPixel(screen, bounds.left + 1, bounds.top + 1);
        ReleaseDC(nullptr, screen);
        watch.borderRepainted = watch.corner == GetSysColor(COLOR_BTNSHADOW) &&
                                watch.insideCorner ==
                                    gdi::blend(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), 0.5);
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
    testing_support::pumpFor(20);
    return answer;
}

}  // namespace

TEST(MenuTrack, APopupOnAWindowIsShownOwnedByItAndGetsItsBorder) {
    MenuTrackWindow owner;
    int enabledAsked = 0;
    Command command("menu.edit.copy", nullptr, [&] {
        ++enabledAsked;
        return true;
    });
    Popup popup;
    popup.appendItem(std::make_unique<Item>(command));
    popup.appendSeparator();
    popup.appendItem(std::make_unique<Item>(command));
    popup.install(&owner);

    EXPECT_EQ(0, trackWatched(popup, 150, 150));
    EXPECT_NE(nullptr, watch.menuWindow);
    EXPECT_TRUE(watch.borderRepainted) << std::hex << "corner " << watch.corner << ", inside "
                                       << watch.insideCorner;
    EXPECT_GT(enabledAsked, 0);
    EXPECT_EQ(nullptr, visibleMenuWindow());
}

TEST(MenuTrack, APopupInstalledNowhereUsesItsStandByWindow) {
    Command command("menu.edit.paste");
    Popup popup;
    popup.appendItem(std::make_unique<Item>(command));
    ASSERT_EQ(nullptr, popup.getTarget());

    EXPECT_EQ(0, trackWatched(popup, 200, 200));
    EXPECT_NE(nullptr, watch.menuWindow);
    // The stand-by window passed the menu's draw requests on to the popup.
    EXPECT_TRUE(watch.borderRepainted);
    EXPECT_NE(nullptr, popup.getTarget());
    EXPECT_EQ(nullptr, visibleMenuWindow());
}
