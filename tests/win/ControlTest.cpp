#include "ControlHost.hpp"
#include "PixelCanvas.hpp"
#include "ScreenCapture.hpp"
#include "WinTestSupport.hpp"

#include "gdi/Font.hpp"
#include "ui/controls/Button.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/FramedControl.hpp"
#include "ui/controls/Label.hpp"
#include "ui/controls/Panel.hpp"
#include "ui/controls/RichEdit.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

// The window's size, its minimum size and its margins on every side.
void expectSizes(const ui::ChildWindow& control, LONG width, LONG height, int margin) {
    EXPECT_EQ(width, windowSize(control.getHandle()).cx);
    EXPECT_EQ(height, windowSize(control.getHandle()).cy);
    EXPECT_EQ(width, control.getMinWidth());
    EXPECT_EQ(height, control.getMinHeight());
    EXPECT_EQ(margin, control.getMarginLeft());
    EXPECT_EQ(margin, control.getMarginTop());
    EXPECT_EQ(margin, control.getMarginRight());
    EXPECT_EQ(margin, control.getMarginBottom());
}

// Asks the control for its context menu at a point on screen, closes the menus that appear,
// and answers how many appeared and how many entries the last one had.
std::pair<int, int> contextMenuOf(HWND control, LPARAM at) {
    std::atomic<int> menus{0};
    std::atomic<int> items{-1};
    {
        ThreadWindowWatcher closer(L"#32768", [&](HWND menu, bool first) {
            if (first) {
                DWORD_PTR handle = 0;
                SendMessageTimeoutW(menu, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 1000, &handle);
                items = handle != 0 ? GetMenuItemCount(reinterpret_cast<HMENU>(handle)) : -1;
                ++menus;
            }
            // The menu loop of this thread reads these like the user's Escape.
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageW(menu, WM_CANCELMODE, 0, 0);
        });
        SendMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), at);
    }
    return {menus, items};
}

}  // namespace

TEST(ControlDefaults, EachControlTakesItsSizeMinimumAndMarginsWhenCreated) {
    ControlHost window;
    ui::controls::Edit edit(&window);
    ui::controls::Button button(&window, L"OK");
    ui::controls::Panel panel(&window, 64, 48);
    ui::controls::Label empty(&window, L"");
    ui::controls::RichEdit rich(&window);
    for (ui::Window* control : std::initializer_list<ui::Window*>{&edit, &button, &panel, &empty, &rich}) {
        control->create();
    }

    expectSizes(edit, 175, 22, 4);
    EXPECT_EQ(3, edit.getPaddingLeft());
    EXPECT_EQ(3, edit.getPaddingBottom());
    expectSizes(button, 75, 24, 3);
    expectSizes(panel, 64, 48, 0);
    expectSizes(empty, 10, 15, 5);
    expectSizes(rich, 175, 22, 2);

    // The edits' limits are lifted so that long texts fit; the rich edit's arrives posted.
    pumpFor(20);
    EXPECT_GT(static_cast<unsigned>(SendMessageW(edit.getHandle(), EM_GETLIMITTEXT, 0, 0)), 0x10000u);
    EXPECT_GE(SendMessageW(rich.getHandle(), EM_GETLIMITTEXT, 0, 0), 0xFFFF);
    // Without paddings only the rich edit's outline is outside its client area, and the text
    // keeps its distance from the sides.
    RECT client{};
    GetClientRect(rich.getHandle(), &client);
    EXPECT_EQ(173, client.right);
    EXPECT_EQ(20, client.bottom);
    RECT format{};
    SendMessageW(rich.getHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(5, format.left);
    EXPECT_EQ(1, format.top);
    EXPECT_EQ(173 - 15, format.right);
    EXPECT_EQ(20 - 1, format.bottom);
}

TEST(ControlButton, DefaultButtonTellsItsParentItsIdAndClickedFollowsTheNotification) {
    ControlHost window;
    ui::controls::Button plain(&window, L"Cancel");
    ui::controls::Button ok(&window, L"OK", true);
    int okClicks = 0;
    int plainClicks = 0;
    ok.clicked.connect([&] { ++okClicks; });
    plain.clicked.connect([&] { ++plainClicks; });
    plain.create();
    ok.create();

    ASSERT_TRUE(pumpUntil([&] { return !window.defaultIds.empty(); }, 2000));
    pumpFor(50);
    EXPECT_EQ(std::vector<int>{ok.getId()}, window.defaultIds);

    // A click reaches the parent as BN_CLICKED, which the top window hands back; other
    // notifications of the button are not clicks.
    SendMessageW(ok.getHandle(), BM_CLICK, 0, 0);
    pumpFor(20);
    EXPECT_FALSE(ok.onCommand(BN_SETFOCUS, 0));
    EXPECT_EQ(1, okClicks);
    EXPECT_EQ(0, plainClicks);
}

TEST(ControlEdit, ChangedFollowsTheText) {
    ControlHost window;
    ui::controls::Edit edit(&window);
    int changes = 0;
    edit.changed.connect([&] { ++changes; });
    edit.create();
    EXPECT_EQ(0, changes);

    edit.focus();
    SendMessageW(edit.getHandle(), WM_CHAR, 'a', 1);
    SendMessageW(edit.getHandle(), WM_CHAR, 'b', 1);
    EXPECT_EQ(L"ab", edit.getText());
    EXPECT_EQ(2, changes);
    edit.setText(L"Longer text \u00e9\u4e2d");
    EXPECT_EQ(L"Longer text \u00e9\u4e2d", edit.getText());
    EXPECT_EQ(3, changes);
}

// The outline, the paddings and a scroll bar all stay outside the text.
TEST(ControlEdit, ClientAreaLeavesTheOutlinePaddingsAndScrollBarFree) {
    ControlHost window;
    ui::controls::Edit edit(&window);
    ui::controls::Edit lines(&window, ES_MULTILINE | WS_VSCROLL);
    edit.create();
    lines.create();
    lines.setBounds(10, 40, 200, 80, true);
    const auto clientOrigin = [&] {
        POINT origin{0, 0};
        ClientToScreen(edit.getHandle(), &origin);
        const RECT bounds = windowRect(edit.getHandle());
        return POINT{origin.x - bounds.left, origin.y - bounds.top};
    };

    RECT client{};
    GetClientRect(edit.getHandle(), &client);
    EXPECT_EQ(175 - 2 * (3 + 1), client.right);
    EXPECT_EQ(22 - 2 * (3 + 1), client.bottom);
    // Other paddings take effect with the next frame calculation.
    edit.setPaddings(10, 2, 5, 1);
    SetWindowPos(edit.getHandle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(edit.getHandle(), &client);
    EXPECT_EQ(175 - (11 + 6), client.right);
    EXPECT_EQ(22 - (3 + 2), client.bottom);
    EXPECT_EQ(11, clientOrigin().x);
    EXPECT_EQ(3, clientOrigin().y);

    GetClientRect(lines.getHandle(), &client);
    EXPECT_EQ(200 - 8 - GetSystemMetrics(SM_CXVSCROLL), client.right);
    EXPECT_EQ(80 - 8, client.bottom);
}

TEST(ControlEdit, FrameShowsTheFocusAndTheBandShowsTheState) {
    ControlHost window;
    ui::controls::Edit edit(&window);
    ui::controls::Edit other(&window);
    edit.create();
    other.create();
    edit.setBounds(20, 20, 175, 22, true);
    other.setBounds(20, 60, 175, 22, true);
    other.focus();
    const HWND hwnd = edit.getHandle();
    const COLORREF windowColour = GetSysColor(COLOR_WINDOW);
    const COLORREF faceColour = GetSysColor(COLOR_BTNFACE);

    EXPECT_EQ(ui::controls::frameColor, settledPixel(hwnd, 0, 0, ui::controls::frameColor));
    EXPECT_EQ(ui::controls::frameColor, pixelOf(hwnd, 174, 21));
    EXPECT_EQ(windowColour, pixelOf(hwnd, 3, 10));

    edit.focus();
    EXPECT_EQ(RGB(0x78, 0xA0, 0xCD), settledPixel(hwnd, 0, 0, ui::controls::focusedFrameColor));
    EXPECT_EQ(RGB(0x78, 0xA0, 0xCD), pixelOf(hwnd, 174, 10));
    EXPECT_EQ(ui::controls::frameColor, pixelOf(other.getHandle(), 0, 0));
    other.focus();
    EXPECT_EQ(ui::controls::frameColor, settledPixel(hwnd, 0, 0, ui::controls::frameColor));

    edit.setReadOnly(true);
    EXPECT_EQ(faceColour, settledPixel(hwnd, 1, 1, faceColour));
    EXPECT_EQ(faceColour, pixelOf(hwnd, 173, 20));
    edit.setReadOnly(false);
    EXPECT_EQ(windowColour, settledPixel(hwnd, 1, 1, windowColour));
    edit.setEnabled(false);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(faceColour, settledPixel(hwnd, 2, 2, faceColour));
}

// An edit without items of its own shows the system's menu, one with items its own, and a
// rich edit its nine entries; none passes the request on to the parent.
TEST(ControlContextMenu, EachEditShowsItsOwnMenuOrElseTheSystemMenu) {
    ControlHost window;
    int runs = 0;
    ui::menu::Command command("menu.edit.copy", [&] { ++runs; });
    ui::controls::Edit plain(&window);
    ui::controls::Edit withItems(&window);
    ui::controls::RichEdit rich(&window);
    plain.create();
    withItems.create();
    rich.create();
    withItems.contextMenu.appendItem(std::make_unique<ui::menu::Item>(command));

    plain.focus();
    ASSERT_TRUE(plain.contextMenu.isEmpty());
    const RECT bounds = windowRect(plain.getHandle());
    const LPARAM at = MAKELPARAM(bounds.left + 5, bounds.top + 5);
    const auto [systemMenus, systemItems] = contextMenuOf(plain.getHandle(), at);
    EXPECT_EQ(1, systemMenus);
    // The system's menu: undo, cut, copy, paste, delete and select all with separators.
    EXPECT_GE(systemItems, 6);
    EXPECT_FALSE(plain.onContextMenu(plain.getHandle(), bounds.left + 5, bounds.top + 5));

    withItems.focus();
    EXPECT_EQ(std::make_pair(1, 1), contextMenuOf(withItems.getHandle(), at));
    // The keyboard's menu key gives no position.
    rich.focus();
    EXPECT_EQ(std::make_pair(1, 9), contextMenuOf(rich.getHandle(), MAKELPARAM(-1, -1)));
    pumpFor(50);
    EXPECT_EQ(0, window.contextMenus);
    EXPECT_EQ(0, runs);
}

TEST(ControlLabel, LabelIsExactlyAsLargeAsItsText) {
    ControlHost window;
    const std::wstring text = L"Header font of the notes:";
    ui::controls::Label label(&window, text);
    ui::controls::Label centred(&window, L"Two\nlines", SS_CENTER);
    label.create();
    centred.create();

    const SIZE expected = textSize(text, gdi::getDefaultFont()->getHandle());
    EXPECT_GT(expected.cx, 10);
    EXPECT_EQ(expected.cx, windowSize(label.getHandle()).cx);
    // Only the minimum height of 15 makes a one-line label in a small font taller than its text.
    EXPECT_EQ(std::max<LONG>(expected.cy, 15), windowSize(label.getHandle()).cy);
    const SIZE twoLines = textSize(L"Two\nlines", gdi::getDefaultFont()->getHandle(), DT_CENTER);
    ASSERT_GT(twoLines.cy, 15);
    EXPECT_EQ(twoLines.cx, windowSize(centred.getHandle()).cx);
    EXPECT_EQ(twoLines.cy, windowSize(centred.getHandle()).cy);
    // The text in the font the label shows it in fits.
    const auto shownFont = reinterpret_cast<HFONT>(SendMessageW(label.getHandle(), WM_GETFONT, 0, 0));
    const SIZE shown = textSize(text, shownFont);
    EXPECT_LE(shown.cx, windowSize(label.getHandle()).cx);
    EXPECT_LE(shown.cy, windowSize(label.getHandle()).cy);
}

TEST(ControlPaint, LabelAndPanelPaintInTheirOwnColours) {
    ControlHost window;
    ui::controls::Label label(&window, L"HHHH IIII");
    ui::controls::Panel panel(&window, 120, 80);
    label.create();
    panel.create();
    label.setBounds(30, 30, 160, 40, true);
    panel.setBounds(10, 100, 200, 100, true);

    // Unchanged, the label shows the button face.
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), settledPixel(label.getHandle(), 150, 35, GetSysColor(COLOR_BTNFACE)));
    const COLORREF text = RGB(200, 0, 0);
    const COLORREF background = RGB(0, 40, 160);
    label.setTextColor(text);
    label.setBackgroundColor(background);
    EXPECT_EQ(background, settledPixel(label.getHandle(), 150, 35, background));
    EXPECT_EQ(background, pixelOf(label.getHandle(), 0, 39));
    const RECT r = windowRect(label.getHandle());
    const ScreenCapture capture(r);
    int textPixels = 0;
    int blackPixels = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            textPixels += capture.pixel(x, y) == text ? 1 : 0;
            blackPixels += capture.pixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(textPixels, 20);
    EXPECT_EQ(0, blackPixels);

    const COLORREF colour = RGB(30, 160, 90);
    panel.setBackgroundColor(colour);
    EXPECT_EQ(colour, settledPixel(panel.getHandle(), 0, 0, colour));
    EXPECT_EQ(colour, pixelOf(panel.getHandle(), 199, 99));
    // Printing the panel's client area paints the same way.
    const PixelCanvas printed(RGB(255, 255, 255), 200, 100);
    SendMessageW(panel.getHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    EXPECT_EQ(colour, printed.at(0, 0));
    EXPECT_EQ(colour, printed.at(199, 99));
}

// A focused edit reports the lost focus to its parent while its window is destroyed; when
// the object was already half gone the parent could not hand the report back and showed an
// error instead.
TEST(ControlLifetime, DestroyingAFocusedControlObjectReportsNoError) {
    MessageBoxWatcher watcher;
    ControlHost window;
    ui::controls::Edit other(&window);
    other.create();
    {
        auto edit = std::make_unique<ui::controls::Edit>(&window);
        edit->create();
        edit->focus();
        ASSERT_EQ(edit->getHandle(), GetFocus());
    }
    {
        auto button = std::make_unique<ui::controls::Button>(&window, L"Notify", false, BS_NOTIFY);
        button->create();
        button->focus();
    }
    other.focus();
    pumpFor(100);
    EXPECT_TRUE(watcher.boxes().empty());
}
