#include "IconSamples.hpp"
#include "WinTestSupport.hpp"

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

using testing_support::TestTopWindow;
using ui::menu::CheckCommand;
using ui::menu::CheckItem;
using ui::menu::Command;
using ui::menu::DefaultItem;
using ui::menu::Item;
using ui::menu::Popup;

namespace {

// Made during static initialisation, before any test runs, so that it is the first menu
// object of the process.
std::unique_ptr<Popup> firstMenuObject = std::make_unique<Popup>();
const int firstMenuObjectId = firstMenuObject->getId();

constexpr COLORREF untouched = RGB(255, 0, 255);
constexpr RECT itemRect{0, 0, 200, 23};

class MenuDrawWindow : public TestTopWindow {
public:
    MenuDrawWindow() : TestTopWindow(L"Oskel.MenuDrawWindow") { create(); }
};

// A screen-compatible 210 x 30 bitmap, first filled with `untouched`, to draw entries into.
class Surface {
public:
    Surface() {
        const HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, 210, 30);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
        const RECT all{0, 0, 210, 30};
        const HBRUSH brush = CreateSolidBrush(untouched);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~Surface() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return dc_; }

    // Drawing an entry clips it away; reading ignores the clipping.
    COLORREF pixel(int x, int y) const {
        SelectClipRgn(dc_, nullptr);
        return GetPixel(dc_, x, y);
    }

    // Columns in [x0, x1) with a pixel in rows [0, 23) that is not `background`.
    std::vector<int> inkColumns(int x0, int x1, COLORREF background) const {
        std::vector<int> columns;
        for (int x = x0; x < x1; ++x) {
            for (int y = 0; y < 23; ++y) {
                if (pixel(x, y) != background) {
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    }

    // The lowest row of [0, 23) with a pixel in columns [x0, x1] that is not `background`.
    int lowestInkRow(int x0, int x1, COLORREF background) const {
        for (int y = 22; y >= 0; --y) {
            for (int x = x0; x <= x1; ++x) {
                if (pixel(x, y) != background) {
                    return y;
                }
            }
        }
        return -1;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

COLORREF window() {
    return GetSysColor(COLOR_WINDOW);
}

COLORREF iconColumn() {
    return gdi::blend(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), 0.5);
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

// The popup that holds the process's first menu object (id 0) as its sub-popup.
Popup& parentOfFirstMenuObject() {
    static Popup parent;
    static const bool built = [] {
        parent.appendSubmenu(std::move(firstMenuObject));
        return true;
    }();
    (void)built;
    return parent;
}

LRESULT sendDraw(HWND owner, HMENU menu, int itemData, Surface& surface, const RECT& rect, UINT state,
                 UINT action = ODA_SELECT) {
    DRAWITEMSTRUCT record{};
    record.CtlType = ODT_MENU;
    record.itemID = static_cast<UINT>(itemData);
    record.itemAction = action;
    record.itemState = state;
    record.hwndItem = reinterpret_cast<HWND>(menu);
    record.hDC = surface.dc();
    record.rcItem = rect;
    record.itemData = static_cast<ULONG_PTR>(itemData);
    return SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&record));
}

// A popup installed on a window; entries are drawn by sending WM_DRAWITEM to the window.
class MenuDraw : public ::testing::Test {
protected:
    MenuDraw() { popup.install(&owner); }

    template <typename T>
    int add(std::unique_ptr<T> item) {
        const int id = item->getId();
        popup.appendItem(std::move(item));
        return id;
    }

    std::unique_ptr<Surface> draw(int id, UINT state, const RECT& rect = itemRect, UINT action = ODA_SELECT) {
        auto surface = std::make_unique<Surface>();
        sendDraw(owner.getHandle(), popup.getHandle(), id, *surface, rect, state, action);
        return surface;
    }

    MenuDrawWindow owner;
    Popup popup{"menu.edit"};
};

}  // namespace

TEST(MenuDrawFirstObject, AnEntryWithItemDataZeroIsClippedButNotPainted) {
    // The first menu object of the process has id 0.
    ASSERT_EQ(0, firstMenuObjectId) << "another menu object was made before this file's first one";
    MenuDrawWindow owner;
    Popup& parent = parentOfFirstMenuObject();
    parent.install(&owner);
    ASSERT_TRUE(parent.contains(0));

    Surface surface;
    EXPECT_EQ(TRUE, sendDraw(owner.getHandle(), parent.getHandle(), 0, surface, itemRect, ODS_SELECTED));
    EXPECT_FALSE(PtVisible(surface.dc(), 5, 5));
    EXPECT_FALSE(PtVisible(surface.dc(), 199, 22));
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

TEST_F(MenuDraw, BackgroundOfPlainSelectedAndDisabledEntries) {
    Command command("menu.file.exit");
    const int id = add(std::make_unique<Item>(command));
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);

    const auto plain = draw(id, 0);
    EXPECT_EQ(iconColumn(), plain->pixel(0, 0));
    EXPECT_EQ(iconColumn(), plain->pixel(22, 22));
    EXPECT_EQ(window(), plain->pixel(23, 0));
    // Inclusive corners: the fills reach one pixel past the item.
    EXPECT_EQ(window(), plain->pixel(200, 23));
    EXPECT_EQ(untouched, plain->pixel(201, 24));

    const auto selected = draw(id, ODS_SELECTED);
    EXPECT_EQ(highlight, selected->pixel(0, 0));
    EXPECT_EQ(highlight, selected->pixel(199, 21));
    EXPECT_EQ(gdi::blend(highlight, window(), 0.4), selected->pixel(1, 1));
    EXPECT_EQ(gdi::blend(highlight, window(), 0.4), selected->pixel(22, 20));
    EXPECT_EQ(gdi::blend(highlight, window(), 0.35), selected->pixel(23, 1));
    EXPECT_EQ(gdi::blend(highlight, window(), 0.35), selected->pixel(198, 20));
    EXPECT_EQ(untouched, selected->pixel(199, 22));

    // A disabled entry shows no selection.
    const auto disabled = draw(id, ODS_SELECTED | ODS_GRAYED | ODS_DISABLED);
    EXPECT_EQ(iconColumn(), disabled->pixel(0, 0));
    EXPECT_EQ(window(), disabled->pixel(199, 1));
}

TEST_F(MenuDraw, LabelAndShortcutAreSplitAtTheTab) {
    Command command("menu.edit.edit");
    const int id = add(std::make_unique<Item>(command));

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
    const auto plainRuns = clusters(plain->inkColumns(23, 200, window()));
    ASSERT_EQ(2u, plainRuns.size());
    EXPECT_EQ(label, plainRuns.front());
    EXPECT_EQ(shortcut, plainRuns.back());
    EXPECT_GT(cued->lowestInkRow(label.first, label.second, window()),
              plain->lowestInkRow(label.first, label.second, window()));

    // Enabled text is in the menu text colour, disabled text in grey.
    const auto disabled = draw(id, ODS_GRAYED | ODS_DISABLED);
    int menuText = 0;
    int grey = 0;
    int greyWhenEnabled = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 30; x < 200; ++x) {
            menuText += cued->pixel(x, y) == GetSysColor(COLOR_MENUTEXT);
            grey += disabled->pixel(x, y) == GetSysColor(COLOR_GRAYTEXT);
            greyWhenEnabled += disabled->pixel(x, y) == GetSysColor(COLOR_MENUTEXT);
        }
    }
    EXPECT_GT(menuText, 5);
    EXPECT_GT(grey, 5);
    EXPECT_EQ(0, greyWhenEnabled);
}

TEST_F(MenuDraw, ACheckedItemFillsItsBoxWithTheCheckColour) {
    bool checked = true;
    CheckCommand command("menu.options.silentclipping", nullptr, [&] { return checked; });
    const int id = add(std::make_unique<CheckItem>(command));
    const COLORREF base = iconColumn();
    // x0 = l + 1, y0 = t + (b - t - 1) / 2 - 8 - 2
    const int x0 = 1;
    const int y0 = (23 - 1) / 2 - 10;

    const auto boxed = draw(id, 0);
    EXPECT_EQ(gdi::blend(0x64AAFF, base, 0.6), boxed->pixel(x0 + 1, y0 + 1));
    EXPECT_EQ(gdi::blend(0x64AAFF, base, 0.6), boxed->pixel(x0 + 18, y0 + 18));
    EXPECT_EQ(gdi::blend(0x005080, base, 0.8), boxed->pixel(x0, y0));
    EXPECT_EQ(gdi::blend(0x005080, base, 0.8), boxed->pixel(x0 + 19, y0 + 19));
    EXPECT_EQ(base, boxed->pixel(x0 + 20, y0 + 10));

    checked = false;
    const auto unchecked = draw(id, 0);
    EXPECT_TRUE(unchecked->inkColumns(0, 23, base).empty());
}

TEST_F(MenuDraw, IconsSitInTheColumnAndAreGreyedWhenDisabled) {
    const COLORREF green = RGB(0, 200, 0);
    const gdi::Icon icon(testing_support::makeColourIcon(16, 16, green), true);
    Command command("menu.edit.copy", nullptr, nullptr, icon);
    CheckCommand check("menu.view.notecolor.green", nullptr, [] { return true; }, nullptr, icon);
    const int id = add(std::make_unique<Item>(command));
    const int checkId = add(std::make_unique<CheckItem>(check));
    // (l + 3, t + (b - t - 1) / 2 - 8)
    const int left = 3;
    const int top = (23 - 1) / 2 - 8;

    const auto enabled = draw(id, 0);
    EXPECT_EQ(green, enabled->pixel(left, top));
    EXPECT_EQ(green, enabled->pixel(left + 15, top + 15));
    EXPECT_EQ(iconColumn(), enabled->pixel(left - 1, top));
    EXPECT_EQ(iconColumn(), enabled->pixel(left + 16, top + 16));
    EXPECT_NE(green, draw(id, ODS_GRAYED | ODS_DISABLED)->pixel(left + 8, top + 8));

    // A checked item's icon goes on top of its box.
    const auto boxed = draw(checkId, 0);
    EXPECT_EQ(green, boxed->pixel(left + 8, top + 8));
    EXPECT_EQ(gdi::blend(0x64AAFF, iconColumn(), 0.6), boxed->pixel(2, 2));
}

TEST_F(MenuDraw, SeparatorIsALineRightOfTheIconColumn) {
    popup.appendSeparator();
    const int id = popup.getId() + 1;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const int y = (6 - 2) / 2;

    // Even when the system calls it selected, a separator draws unselected.
    const auto surface = draw(id, ODS_SELECTED, RECT{0, 0, 200, 6});
    EXPECT_EQ(shadow, surface->pixel(30, y));
    EXPECT_EQ(shadow, surface->pixel(199, y));
    EXPECT_EQ(window(), surface->pixel(29, y));
    EXPECT_EQ(window(), surface->pixel(100, y + 1));
    EXPECT_EQ(iconColumn(), surface->pixel(0, 0));
}

TEST_F(MenuDraw, ASubPopupEntryShowsItsTextAndARightArrow) {
    Command command("menu.view.notecolor.blue");
    auto sub = std::make_unique<Popup>("menu.view.notecolor");
    const int subId = sub->getId();
    sub->appendItem(std::make_unique<Item>(command));
    popup.appendSubmenu(std::move(sub));
    // A 16 x 16 box at (r - 18, (t + b) / 2 - 8); the arrow points right from its middle.
    const int boxLeft = 200 - 18;
    const int middle = 23 / 2;

    const auto entry = draw(subId, 0);
    const auto arrow = entry->inkColumns(boxLeft, 200, window());
    ASSERT_GT(arrow.size(), 2u);
    EXPECT_LE(arrow.back(), boxLeft + 15);
    EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), entry->pixel(arrow.front(), middle));
    // Taller at its base than at its tip.
    EXPECT_GT(entry->lowestInkRow(arrow.front(), arrow.front(), window()),
              entry->lowestInkRow(arrow.back(), arrow.back(), window()));
    EXPECT_FALSE(entry->inkColumns(23, boxLeft, window()).empty());

    const auto disabled = draw(subId, ODS_GRAYED | ODS_DISABLED);
    EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), disabled->pixel(arrow.front(), middle));
}

TEST_F(MenuDraw, DrawingTheWholeEntryAsksOnceForTheFrameRepaint) {
    Command command("menu.edit.copy");
    const int id = add(std::make_unique<Item>(command));
    const HWND hwnd = owner.getHandle();
    const UINT request = ui::menu::WM_REPAINTMENUFRAME;

    draw(id, ODS_SELECTED, itemRect, ODA_SELECT);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, hwnd, request, request, PM_NOREMOVE));

    draw(id, 0, itemRect, ODA_DRAWENTIRE);
    draw(id, 0, RECT{0, 23, 200, 46}, ODA_DRAWENTIRE);
    int requests = 0;
    while (PeekMessageW(&msg, hwnd, request, request, PM_REMOVE)) {
        ++requests;
        EXPECT_EQ(0u, msg.wParam);
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
    const int id = add(std::make_unique<Item>(command));
    const int defaultId = add(std::make_unique<DefaultItem>(command));
    popup.appendSeparator();
    const int separatorId = defaultId + 1;
    Item stranger(command);

    auto measure = [&](int itemData, LRESULT expectedAnswer = TRUE) {
        MEASUREITEMSTRUCT record{};
        record.CtlType = ODT_MENU;
        record.itemData = static_cast<ULONG_PTR>(itemData);
        const LRESULT answer =
            SendMessageW(owner.getHandle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&record));
        EXPECT_EQ(expectedAnswer, answer);
        return record;
    };

    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, gdi::getDefaultFont()->getHandle());
    RECT text{0, 0, 0, 0};
    DrawTextW(screen, command.getText().c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    const int height = std::max(16 + 7, GetSystemMetrics(SM_CYMENU) + 3);

    const MEASUREITEMSTRUCT plain = measure(id);
    EXPECT_EQ(static_cast<UINT>(text.right - text.left + 52), plain.itemWidth);
    EXPECT_EQ(static_cast<UINT>(height), plain.itemHeight);
    // The default entry is measured in bold.
    EXPECT_GT(measure(defaultId).itemWidth, plain.itemWidth);
    EXPECT_EQ(static_cast<UINT>(height / 5), measure(separatorId).itemHeight);
    EXPECT_EQ(0u, measure(stranger.getId(), 0).itemWidth);
}
