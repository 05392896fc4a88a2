#include "IconSamples.hpp"
#include "MenuTestSupport.hpp"

#include "gdi/Color.hpp"
#include "gdi/Font.hpp"
#include "gdi/Icon.hpp"
#include "ui/menu/CheckCommand.hpp"
#include "ui/menu/CheckItem.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/DefaultItem.hpp"
#include "ui/menu/Item.hpp"
#include "ui/menu/Popup.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

using namespace testing_support;
using namespace ui::menu;

namespace {

// Made during static initialisation, before any test runs, so that it is the first menu
// object of the process.
std::unique_ptr<Popup> firstMenuObject = std::make_unique<Popup>();
const int firstMenuObjectId = firstMenuObject->getId();

COLORREF window() {
    return GetSysColor(COLOR_WINDOW);
}

// Runs of columns less than five pixels apart.
std::vector<std::pair<int, int>> clusters(const std::vector<int>& columns) {
    std::vector<std::pair<int, int>> runs;
    for (const int x : columns) {
        if (runs.empty() || x - runs.back().second > 4) {
            runs.emplace_back(x, x);
        } else {
            runs.back().second = x;
        }
    }
    return runs;
}

// A popup installed on a window; entries are drawn by sending WM_DRAWITEM to the window.
class MenuDraw : public ::testing::Test {
protected:
    MenuDraw() { popup.install(&owner); }

    std::unique_ptr<Surface> draw(int id, UINT state, const RECT& rect = itemRect, UINT action = ODA_SELECT) {
        auto surface = std::make_unique<Surface>();
        sendDraw(owner.getHandle(), popup.getHandle(), id, *surface, rect, state, action);
        return surface;
    }

    MenuTestWindow owner;
    Popup popup{"menu.edit"};
};

}  // namespace

TEST(MenuDrawFirstObject, AnEntryWithItemDataZeroIsClippedButNotPainted) {
    ASSERT_EQ(0, firstMenuObjectId) << "another menu object was made before this file's first one";
    ASSERT_NE(nullptr, firstMenuObject) << "the first menu object can be adopted only once";
    MenuTestWindow owner;
    Popup parent;
    parent.appendSubmenu(std::move(firstMenuObject));
    parent.install(&owner);
    ASSERT_TRUE(parent.contains(0));

    Surface surface;
    EXPECT_EQ(TRUE, sendDraw(owner.getHandle(), parent.getHandle(), 0, surface, itemRect, ODS_SELECTED));
    EXPECT_FALSE(PtVisible(surface.dc(), 5, 5));
    EXPECT_TRUE(PtVisible(surface.dc(), 205, 25));
    EXPECT_TRUE(surface.inkColumns(0, 210, untouched).empty());

    // An entry of another menu is neither painted nor clipped, and not answered.
    Command command("menu.edit.copy");
    Item stranger(command);
    Surface other;
    EXPECT_EQ(0, sendDraw(owner.getHandle(), parent.getHandle(), stranger.getId(), other, itemRect, 0));
    EXPECT_TRUE(PtVisible(other.dc(), 5, 5));
    EXPECT_TRUE(other.inkColumns(0, 210, untouched).empty());
}

TEST_F(MenuDraw, BackgroundOfPlainSelectedDisabledAndSeparatorEntries) {
    Command command("menu.file.exit");
    const int id = append(popup, std::make_unique<Item>(command))->getId();
    popup.appendSeparator();
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);

    const auto plain = draw(id, 0);
    EXPECT_EQ(iconColumnColour(), plain->pixel(22, 22));
    EXPECT_EQ(window(), plain->pixel(23, 0));
    // Inclusive corners: the fills reach one pixel past the item.
    EXPECT_EQ(window(), plain->pixel(200, 23));
    EXPECT_EQ(untouched, plain->pixel(201, 24));

    const auto selected = draw(id, ODS_SELECTED);
    EXPECT_EQ(highlight, selected->pixel(0, 0));
    EXPECT_EQ(gdi::blend(highlight, window(), 0.4), selected->pixel(22, 20));
    EXPECT_EQ(gdi::blend(highlight, window(), 0.35), selected->pixel(23, 1));
    EXPECT_EQ(untouched, selected->pixel(199, 22));

    // Disabled entries and separators show no selection; a separator is a line right of
    // the icon column.
    const auto disabled = draw(id, ODS_SELECTED | ODS_GRAYED | ODS_DISABLED);
    EXPECT_EQ(iconColumnColour(), disabled->pixel(0, 0));
    EXPECT_EQ(window(), disabled->pixel(199, 1));
    const auto separator = draw(id + 1, ODS_SELECTED, RECT{0, 0, 200, 6});
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(shadow, separator->pixel(30, 2));
    EXPECT_EQ(shadow, separator->pixel(199, 2));
    EXPECT_EQ(window(), separator->pixel(29, 2));
    EXPECT_EQ(window(), separator->pixel(100, 3));
    EXPECT_EQ(iconColumnColour(), separator->pixel(0, 0));
}

TEST_F(MenuDraw, LabelAndShortcutAreSplitAtTheTab) {
    Command command("menu.edit.edit");
    const int id = append(popup, std::make_unique<Item>(command))->getId();

    const auto cued = draw(id, 0);
    const auto runs = clusters(cued->inkColumns(23, 200, window()));
    ASSERT_EQ(2u, runs.size()) << "one run for \"Edit\", one for \"Enter\"";
    const auto label = runs.front();
    const auto shortcut = runs.back();
    EXPECT_GE(label.first, 30);
    EXPECT_LE(label.first, 32);
    EXPECT_LE(shortcut.second, 200 - 15 - 1);
    EXPECT_GE(shortcut.second, 200 - 15 - 3);
    EXPECT_GT(shortcut.first - label.second, 40);

    // Without accelerator cues the same label shows, without the underline under "E".
    const auto plain = draw(id, ODS_NOACCEL);
    EXPECT_EQ(runs, clusters(plain->inkColumns(23, 200, window())));
    EXPECT_GT(cued->lowestInkRow(label.first, label.second, window()),
              plain->lowestInkRow(label.first, label.second, window()));

    // Enabled text is in the menu text colour, disabled text in grey.
    const auto disabled = draw(id, ODS_GRAYED | ODS_DISABLED);
    EXPECT_GT(cued->count(GetSysColor(COLOR_MENUTEXT), 30), 5);
    EXPECT_GT(disabled->count(GetSysColor(COLOR_GRAYTEXT), 30), 5);
    EXPECT_EQ(0, disabled->count(GetSysColor(COLOR_MENUTEXT), 30));
}

TEST_F(MenuDraw, CheckBoxesAndIconsSitInTheIconColumn) {
    bool checked = true;
    CheckCommand plainCheck("menu.options.silentclipping", nullptr, [&] { return checked; });
    const COLORREF green = RGB(0, 200, 0);
    const gdi::Icon icon(makeColourIcon(16, 16, green), true);
    Command command("menu.edit.copy", nullptr, nullptr, icon);
    CheckCommand iconCheck(
        "menu.view.notecolor.green", nullptr, [] { return true; }, nullptr, icon);
    const int checkId = append(popup, std::make_unique<CheckItem>(plainCheck))->getId();
    const int id = append(popup, std::make_unique<Item>(command))->getId();
    const int iconCheckId = append(popup, std::make_unique<CheckItem>(iconCheck))->getId();
    const COLORREF base = iconColumnColour();
    const COLORREF fill = gdi::blend(0x64AAFF, base, 0.6);
    // The box's corner is (l + 1, t + (b - t - 1) / 2 - 10), the icon's (l + 3, t + (b - t - 1) / 2 - 8).
    const int y0 = (23 - 1) / 2 - 10;
    const int top = y0 + 2;

    const auto boxed = draw(checkId, 0);
    EXPECT_EQ(fill, boxed->pixel(2, y0 + 1));
    EXPECT_EQ(fill, boxed->pixel(19, y0 + 18));
    EXPECT_EQ(gdi::blend(0x005080, base, 0.8), boxed->pixel(1, y0));
    EXPECT_EQ(gdi::blend(0x005080, base, 0.8), boxed->pixel(20, y0 + 19));
    EXPECT_EQ(base, boxed->pixel(21, y0 + 10));
    checked = false;
    EXPECT_TRUE(draw(checkId, 0)->inkColumns(0, 23, base).empty());

    const auto enabled = draw(id, 0);
    EXPECT_EQ(green, enabled->pixel(3, top));
    EXPECT_EQ(green, enabled->pixel(18, top + 15));
    EXPECT_EQ(base, enabled->pixel(2, top));
    EXPECT_EQ(base, enabled->pixel(19, top + 16));
    EXPECT_NE(green, draw(id, ODS_GRAYED | ODS_DISABLED)->pixel(11, top + 8));

    // A checked item's icon goes on top of its box.
    const auto both = draw(iconCheckId, 0);
    EXPECT_EQ(green, both->pixel(11, top + 8));
    EXPECT_EQ(fill, both->pixel(2, 2));
}

TEST_F(MenuDraw, ASubPopupEntryShowsItsTextAndARightArrow) {
    Command command("menu.view.notecolor.blue");
    Popup* sub = append(popup, std::make_unique<Popup>("menu.view.notecolor"));
    const int subId = sub->getId();
    sub->appendItem(std::make_unique<Item>(command));
    // A 16 x 16 box at (r - 18, (t + b) / 2 - 8); the arrow points right from its middle.
    const int boxLeft = 200 - 18;

    const auto entry = draw(subId, 0);
    const auto arrow = entry->inkColumns(boxLeft, 200, window());
    ASSERT_GT(arrow.size(), 2u);
    EXPECT_LE(arrow.back(), boxLeft + 15);
    EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), entry->pixel(arrow.front(), 11));
    // Taller at its base than at its tip.
    EXPECT_GT(entry->lowestInkRow(arrow.front(), arrow.front(), window()),
              entry->lowestInkRow(arrow.back(), arrow.back(), window()));
    EXPECT_FALSE(entry->inkColumns(23, boxLeft, window()).empty());
    EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), draw(subId, ODS_GRAYED | ODS_DISABLED)->pixel(arrow.front(), 11));
}

TEST_F(MenuDraw, DrawingTheWholeEntryAsksOnceForTheFrameRepaint) {
    Command command("menu.edit.copy");
    const int id = append(popup, std::make_unique<Item>(command))->getId();
    const HWND hwnd = owner.getHandle();
    const UINT request = WM_REPAINTMENUFRAME;

    draw(id, ODS_SELECTED, itemRect, ODA_SELECT);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, hwnd, request, request, PM_NOREMOVE));

    draw(id, 0, itemRect, ODA_DRAWENTIRE);
    draw(id, 0, RECT{0, 23, 200, 46}, ODA_DRAWENTIRE);
    int requests = 0;
    while (PeekMessageW(&msg, hwnd, request, request, PM_REMOVE)) {
        ++requests;
        const auto* copy = reinterpret_cast<const DRAWITEMSTRUCT*>(msg.lParam);
        EXPECT_EQ(static_cast<ULONG_PTR>(id), copy->itemData);
        EXPECT_EQ(0, copy->rcItem.top);
        // The menu is not on screen: the request finds no menu window and paints nothing.
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(1, requests);

    draw(id, 0, itemRect, ODA_DRAWENTIRE);
    EXPECT_TRUE(PeekMessageW(&msg, hwnd, request, request, PM_REMOVE));
}

TEST_F(MenuDraw, WidthIsTheTextWidthPlus52AndHeightFitsAnIcon) {
    Command command("menu.edit.replacetags");
    const int id = append(popup, std::make_unique<Item>(command))->getId();
    const int defaultId = append(popup, std::make_unique<DefaultItem>(command))->getId();
    popup.appendSeparator();
    Item stranger(command);
    auto measure = [&](int itemData, LRESULT expectedAnswer = TRUE) {
        MEASUREITEMSTRUCT record{};
        record.CtlType = ODT_MENU;
        record.itemData = static_cast<ULONG_PTR>(itemData);
        EXPECT_EQ(expectedAnswer,
                  SendMessageW(owner.getHandle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&record)));
        return record;
    };

    const SIZE text = textSize(command.getText(), gdi::getDefaultFont()->getHandle(), DT_SINGLELINE);
    const int height = std::max(16 + 7, GetSystemMetrics(SM_CYMENU) + 3);

    const MEASUREITEMSTRUCT plain = measure(id);
    EXPECT_EQ(static_cast<UINT>(text.cx + 52), plain.itemWidth);
    EXPECT_EQ(static_cast<UINT>(height), plain.itemHeight);
    // The default entry is measured in bold.
    EXPECT_GT(measure(defaultId).itemWidth, plain.itemWidth);
    EXPECT_EQ(static_cast<UINT>(height / 5), measure(defaultId + 1).itemHeight);
    EXPECT_EQ(0u, measure(stranger.getId(), 0).itemWidth);
}
