#include "ScreenCapture.hpp"
#include "WinTestSupport.hpp"

#include "gdi/Font.hpp"
#include "ui/TopWindow.hpp"
#include "ui/controls/Button.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/FlatFrame.hpp"
#include "ui/controls/Label.hpp"
#include "ui/controls/Panel.hpp"
#include "ui/controls/RichEdit.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using testing_support::pumpFor;
using testing_support::pumpUntil;
using testing_support::ScreenCapture;

namespace {

// A visible top-level window that reflects its children's notifications the way every top
// window does, and records what its controls post to it.
class ControlTestWindow : public ui::TopWindow {
public:
    ControlTestWindow() : ui::TopWindow(nullptr) {
        create();
        SetWindowPos(getHandle(), HWND_TOP, 40, 40, 520, 360, SWP_NOACTIVATE);
        show(SW_SHOW);
        SetForegroundWindow(getHandle());
    }
    ~ControlTestWindow() override = default;

    std::wstring getClassName() const override { return L"Oskel.ControlTestWindow"; }
    unsigned getStyle() const override { return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN; }

    bool handleMessage(const MSG& msg, LRESULT& result) override {
        if (msg.message == DM_SETDEFID) {
            defaultIds.push_back(static_cast<int>(msg.wParam));
        } else if (msg.message == WM_CONTEXTMENU) {
            ++contextMenus;
        }
        return ui::TopWindow::handleMessage(msg, result);
    }

    std::vector<int> defaultIds;
    int contextMenus = 0;
};

RECT windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

SIZE windowSize(HWND window) {
    const RECT r = windowRect(window);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// The colour on screen at a point given in window coordinates.
COLORREF pixelOf(HWND window, int x, int y) {
    const RECT r = windowRect(window);
    return ScreenCapture(r).pixel(r.left + x, r.top + y);
}

// Waits (bounded) until the point shows the colour, and answers the colour it shows then.
COLORREF settledPixel(HWND window, int x, int y, COLORREF expected) {
    pumpUntil([&] { return pixelOf(window, x, y) == expected; }, 3000);
    return pixelOf(window, x, y);
}

SIZE measureOnScreen(const std::wstring& text, HFONT font, UINT format) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void expectMargins(const ui::layout::Layoutable& item, int margin) {
    EXPECT_EQ(margin, item.getMarginLeft());
    EXPECT_EQ(margin, item.getMarginTop());
    EXPECT_EQ(margin, item.getMarginRight());
    EXPECT_EQ(margin, item.getMarginBottom());
}

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Closes the popup menus of one thread from a second thread as soon as they appear, and
// records how many entries each one had.
class MenuCloser {
public:
    MenuCloser() : threadId_(GetCurrentThreadId()), thread_([this] { run(); }) {}
    ~MenuCloser() {
        stop_ = true;
        thread_.join();
    }

    int menusSeen() const { return menus_; }
    int lastItemCount() const { return items_; }

private:
    void run() {
        HWND lastSeen = nullptr;
        while (!stop_) {
            HWND menu = nullptr;
            EnumThreadWindows(
                threadId_,
                [](HWND hwnd, LPARAM param) -> BOOL {
                    wchar_t name[16] = {};
                    GetClassNameW(hwnd, name, 16);
                    if (std::wstring(name) == L"#32768" && IsWindowVisible(hwnd)) {
                        *reinterpret_cast<HWND*>(param) = hwnd;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&menu));
            if (menu != nullptr) {
                if (menu != lastSeen) {
                    lastSeen = menu;
                    DWORD_PTR handle = 0;
                    SendMessageTimeoutW(menu, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 1000, &handle);
                    items_ = handle != 0 ? GetMenuItemCount(reinterpret_cast<HMENU>(handle)) : -1;
                    ++menus_;
                }
                // The menu loop of the other thread reads these like the user's Escape.
                PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                PostMessageW(menu, WM_CANCELMODE, 0, 0);
            }
            Sleep(20);
        }
    }

    DWORD threadId_;
    std::atomic<bool> stop_{false};
    std::atomic<int> menus_{0};
    std::atomic<int> items_{-1};
    std::thread thread_;
};

}  // namespace

TEST(ControlDefaults, EachControlTakesItsSizeMinimumAndMarginsWhenCreated) {
    ControlTestWindow window;
    ui::controls::Edit edit(&window);
    ui::controls::Button button(&window, L"OK");
    ui::controls::Panel panel(&window, 64, 48);
    edit.create();
    button.create();
    panel.create();

    EXPECT_EQ(175, windowSize(edit.getHandle()).cx);
    EXPECT_EQ(22, windowSize(edit.getHandle()).cy);
    EXPECT_EQ(175, edit.getMinWidth());
    EXPECT_EQ(22, edit.getMinHeight());
    expectMargins(edit, 4);
    EXPECT_EQ(3, edit.getPaddingLeft());
    EXPECT_EQ(3, edit.getPaddingBottom());

    EXPECT_EQ(75, windowSize(button.getHandle()).cx);
    EXPECT_EQ(24, windowSize(button.getHandle()).cy);
    EXPECT_EQ(75, button.getMinWidth());
    EXPECT_EQ(24, button.getMinHeight());
    expectMargins(button, 3);

    EXPECT_EQ(64, windowSize(panel.getHandle()).cx);
    EXPECT_EQ(48, windowSize(panel.getHandle()).cy);
    EXPECT_EQ(64, panel.getMinWidth());
    EXPECT_EQ(48, panel.getMinHeight());
    EXPECT_FALSE(IsWindowEnabled(panel.getHandle()));

    // Every control is shown, in the default GUI font.
    for (HWND control : {edit.getHandle(), button.getHandle(), panel.getHandle()}) {
        EXPECT_TRUE(IsWindowVisible(control));
    }
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT),
              reinterpret_cast<HGDIOBJ>(SendMessageW(edit.getHandle(), WM_GETFONT, 0, 0)));
}

TEST(ControlDefaults, ControlsAreSubclassesOfTheSystemClassesWithTheirStyles) {
    ControlTestWindow window;
    ui::controls::Edit edit(&window);
    ui::controls::Edit password(&window, ES_PASSWORD, WS_EX_CLIENTEDGE);
    ui::controls::Button button(&window, L"Apply", false, BS_FLAT);
    ui::controls::Label label(&window, L"Name:", SS_CENTER, WS_EX_TRANSPARENT);
    ui::controls::Panel panel(&window, 10, 10);
    for (ui::Window* control : std::initializer_list<ui::Window*>{&edit, &password, &button, &label, &panel}) {
        control->create();
    }

    EXPECT_EQ(L"Oskel.Edit", classOf(edit.getHandle()));
    EXPECT_EQ(L"Oskel.Button", classOf(button.getHandle()));
    EXPECT_EQ(L"Oskel.Label", classOf(label.getHandle()));
    EXPECT_EQ(L"Oskel.Panel", classOf(panel.getHandle()));

    const auto style = [](const ui::Window& w) {
        return static_cast<unsigned>(GetWindowLongPtrW(w.getHandle(), GWL_STYLE));
    };
    const auto exStyle = [](const ui::Window& w) {
        return static_cast<unsigned>(GetWindowLongPtrW(w.getHandle(), GWL_EXSTYLE));
    };
    // Without style bits an edit scrolls horizontally; given bits replace that default.
    EXPECT_EQ(0x46010000u | ES_AUTOHSCROLL, style(edit) & (0x46010000u | ES_AUTOHSCROLL | ES_PASSWORD));
    EXPECT_EQ(0x46010000u | ES_PASSWORD, style(password) & (0x46010000u | ES_AUTOHSCROLL | ES_PASSWORD));
    EXPECT_TRUE(exStyle(password) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(0x46010000u | BS_FLAT, style(button) & (0x46010000u | BS_FLAT | BS_DEFPUSHBUTTON));
    // Labels and panels are not tab stops.
    EXPECT_EQ(0x46000000u | SS_CENTER, style(label) & (0x46000000u | WS_TABSTOP | SS_CENTER));
    EXPECT_TRUE(exStyle(label) & WS_EX_TRANSPARENT);
    EXPECT_EQ(0x46000000u, style(panel) & (0x46000000u | WS_TABSTOP));

    // The system classes do the work: the edit's limit is lifted to the system maximum and
    // the button answers button messages.
    EXPECT_GT(static_cast<unsigned>(SendMessageW(edit.getHandle(), EM_GETLIMITTEXT, 0, 0)), 0x10000u);
    EXPECT_EQ(0, SendMessageW(button.getHandle(), BM_GETCHECK, 0, 0));
}

TEST(ControlButton, DefaultButtonTellsItsParentItsIdAndClickedFollowsTheNotification) {
    ControlTestWindow window;
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
    EXPECT_TRUE(GetWindowLongPtrW(ok.getHandle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_FALSE(GetWindowLongPtrW(plain.getHandle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

    wchar_t caption[16] = {};
    GetWindowTextW(ok.getHandle(), caption, 16);
    EXPECT_STREQ(L"OK", caption);

    // A click reaches the parent as BN_CLICKED, which the top window hands back.
    SendMessageW(ok.getHandle(), BM_CLICK, 0, 0);
    pumpFor(20);
    EXPECT_EQ(1, okClicks);
    EXPECT_EQ(0, plainClicks);

    // Other notifications of the button are not clicks.
    EXPECT_FALSE(ok.onCommand(BN_SETFOCUS, 0));
    EXPECT_EQ(1, okClicks);
}

TEST(ControlEdit, ChangedFollowsTheTextAndTextCanBeReadBack) {
    ControlTestWindow window;
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

    // A read-only edit takes no typing.
    edit.setReadOnly(true);
    SendMessageW(edit.getHandle(), WM_CHAR, 'c', 1);
    EXPECT_EQ(L"Longer text \u00e9\u4e2d", edit.getText());
    EXPECT_EQ(3, changes);
    edit.setReadOnly(false);
    SendMessageW(edit.getHandle(), EM_SETSEL, 100, 100);
    SendMessageW(edit.getHandle(), WM_CHAR, 'c', 1);
    EXPECT_EQ(L"Longer text \u00e9\u4e2dc", edit.getText());
}

TEST(ControlEdit, ClientAreaLeavesTheOutlineAndThePaddingsFree) {
    ControlTestWindow window;
    ui::controls::Edit edit(&window);
    edit.create();

    RECT client{};
    GetClientRect(edit.getHandle(), &client);
    EXPECT_EQ(175 - 2 * (3 + 1), client.right);
    EXPECT_EQ(22 - 2 * (3 + 1), client.bottom);

    // The client area starts after the left outline and padding.
    POINT origin{0, 0};
    ClientToScreen(edit.getHandle(), &origin);
    const RECT bounds = windowRect(edit.getHandle());
    EXPECT_EQ(4, origin.x - bounds.left);
    EXPECT_EQ(4, origin.y - bounds.top);

    // Other paddings take effect with the next frame calculation.
    edit.setPaddings(10, 2, 5, 1);
    SetWindowPos(edit.getHandle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(edit.getHandle(), &client);
    EXPECT_EQ(175 - (11 + 6), client.right);
    EXPECT_EQ(22 - (3 + 2), client.bottom);
    origin = POINT{0, 0};
    ClientToScreen(edit.getHandle(), &origin);
    EXPECT_EQ(11, origin.x - bounds.left);
    EXPECT_EQ(3, origin.y - bounds.top);
}

// A multi-line edit with a scroll bar: the bar stays inside the frame instead of covering
// the text.
TEST(ControlEdit, ScrollBarKeepsItsRoomInsideTheFrame) {
    ControlTestWindow window;
    ui::controls::Edit edit(&window, ES_MULTILINE | WS_VSCROLL);
    edit.create();
    edit.setBounds(10, 10, 200, 80, true);

    RECT client{};
    GetClientRect(edit.getHandle(), &client);
    EXPECT_EQ(200 - 8 - GetSystemMetrics(SM_CXVSCROLL), client.right);
    EXPECT_EQ(80 - 8, client.bottom);
}

TEST(ControlEdit, FrameShowsTheFocusAndTheBandShowsTheState) {
    ControlTestWindow window;
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
    EXPECT_EQ(ui::controls::frameColor, pixelOf(hwnd, 80, 21));
    EXPECT_EQ(windowColour, pixelOf(hwnd, 1, 1));
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

TEST(ControlEdit, WithoutItemsOfItsOwnTheSystemEditMenuAppears) {
    ControlTestWindow window;
    ui::controls::Edit edit(&window);
    edit.create();
    edit.focus();
    ASSERT_TRUE(edit.contextMenu.isEmpty());

    const RECT bounds = windowRect(edit.getHandle());
    {
        MenuCloser closer;
        SendMessageW(edit.getHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.getHandle()),
                     MAKELPARAM(bounds.left + 5, bounds.top + 5));
        EXPECT_EQ(1, closer.menusSeen());
        // The system's menu: undo, cut, copy, paste, delete and select all with separators.
        EXPECT_GE(closer.lastItemCount(), 6);
    }
    pumpFor(50);
    // The request was not passed on to the parent as it is from other child windows.
    EXPECT_EQ(0, window.contextMenus);
    EXPECT_FALSE(edit.onContextMenu(edit.getHandle(), bounds.left + 5, bounds.top + 5));
}

// Only the minimum height of 15 makes a one-line label in a small font taller than its text.
TEST(ControlEdit, WithItemsOfItsOwnItsOwnMenuAppears) {
    ControlTestWindow window;
    int runs = 0;
    ui::menu::Command command("menu.edit.copy", [&] { ++runs; });
    ui::controls::Edit edit(&window);
    edit.create();
    edit.contextMenu.appendItem(std::make_unique<ui::menu::Item>(command));
    edit.focus();

    const RECT bounds = windowRect(edit.getHandle());
    {
        MenuCloser closer;
        SendMessageW(edit.getHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.getHandle()),
                     MAKELPARAM(bounds.left + 5, bounds.top + 5));
        EXPECT_EQ(1, closer.menusSeen());
        EXPECT_EQ(1, closer.lastItemCount());
    }
    pumpFor(50);
    EXPECT_EQ(0, window.contextMenus);
    EXPECT_EQ(0, runs);
}

TEST(ControlRichEditMenu, RightClickShowsTheNineEntriesOfTheRichEditMenu) {
    ControlTestWindow window;
    ui::controls::RichEdit rich(&window);
    rich.create();
    rich.focus();
    {
        MenuCloser closer;
        // The keyboard's menu key gives no position.
        SendMessageW(rich.getHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(rich.getHandle()), MAKELPARAM(-1, -1));
        EXPECT_EQ(1, closer.menusSeen());
        EXPECT_EQ(9, closer.lastItemCount());
    }
    EXPECT_EQ(0, window.contextMenus);
}

TEST(ControlLabel, LabelIsExactlyAsLargeAsItsText) {
    ControlTestWindow window;
    const std::wstring text = L"Header font of the notes:";
    ui::controls::Label label(&window, text);
    ui::controls::Label centred(&window, L"Two\nlines", SS_CENTER);
    ui::controls::Label empty(&window, L"");
    label.create();
    centred.create();
    empty.create();

    const SIZE expected = measureOnScreen(text, gdi::getDefaultFont()->getHandle(), 0);
    EXPECT_GT(expected.cx, 10);
    EXPECT_EQ(expected.cx, windowSize(label.getHandle()).cx);
    EXPECT_EQ(std::max<LONG>(expected.cy, 15), windowSize(label.getHandle()).cy);
    const SIZE twoLines = measureOnScreen(L"Two\nlines", gdi::getDefaultFont()->getHandle(), DT_CENTER);
    ASSERT_GT(twoLines.cy, 15);
    EXPECT_EQ(twoLines.cx, windowSize(centred.getHandle()).cx);
    EXPECT_EQ(twoLines.cy, windowSize(centred.getHandle()).cy);
    // The text in the font the label shows it in fits.
    const auto shownFont = reinterpret_cast<HFONT>(SendMessageW(label.getHandle(), WM_GETFONT, 0, 0));
    const SIZE shown = measureOnScreen(text, shownFont, 0);
    EXPECT_LE(shown.cx, windowSize(label.getHandle()).cx);
    EXPECT_LE(shown.cy, windowSize(label.getHandle()).cy);

    // An empty label keeps its minimum size.
    EXPECT_EQ(10, windowSize(empty.getHandle()).cx);
    EXPECT_EQ(15, windowSize(empty.getHandle()).cy);
    expectMargins(label, 5);
    EXPECT_EQ(10, label.getMinWidth());
    EXPECT_EQ(15, label.getMinHeight());

    wchar_t shownText[64] = {};
    GetWindowTextW(label.getHandle(), shownText, 64);
    EXPECT_EQ(text, shownText);
    label.setText(L"Other");
    GetWindowTextW(label.getHandle(), shownText, 64);
    EXPECT_STREQ(L"Other", shownText);
    EXPECT_EQ(L"Other", label.getText());
}

TEST(ControlLabel, LabelPaintsInItsOwnColours) {
    ControlTestWindow window;
    ui::controls::Label label(&window, L"HHHH IIII");
    label.create();
    label.setBounds(30, 30, 160, 40, true);
    const HWND hwnd = label.getHandle();

    // Unchanged, the label is black on the button face.
    EXPECT_EQ(RGB(0, 0, 0), label.getTextColor());
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), settledPixel(hwnd, 150, 35, GetSysColor(COLOR_BTNFACE)));

    const COLORREF text = RGB(200, 0, 0);
    const COLORREF background = RGB(0, 40, 160);
    label.setTextColor(text);
    label.setBackgroundColor(background);
    EXPECT_EQ(background, settledPixel(hwnd, 150, 35, background));
    EXPECT_EQ(background, pixelOf(hwnd, 0, 39));

    const RECT r = windowRect(hwnd);
    const ScreenCapture capture(r);
    int textPixels = 0;
    int blackPixels = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = capture.pixel(x, y);
            textPixels += c == text ? 1 : 0;
            blackPixels += c == RGB(0, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(textPixels, 20);
    EXPECT_EQ(0, blackPixels);
}

TEST(ControlPanel, PanelFillsItselfWithItsBackgroundColour) {
    ControlTestWindow window;
    ui::controls::Panel panel(&window, 120, 80);
    panel.create();
    panel.setBounds(10, 10, 200, 100, true);
    const HWND hwnd = panel.getHandle();

    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), panel.getBackgroundColor());
    const COLORREF colour = RGB(30, 160, 90);
    panel.setBackgroundColor(colour);
    EXPECT_EQ(colour, settledPixel(hwnd, 0, 0, colour));
    EXPECT_EQ(colour, pixelOf(hwnd, 199, 99));
    EXPECT_EQ(colour, pixelOf(hwnd, 100, 50));

    // Printing the client area paints the same way.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all{0, 0, 200, 100};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    EXPECT_EQ(colour, GetPixel(memory, 0, 0));
    EXPECT_EQ(colour, GetPixel(memory, 199, 99));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// A focused edit reports the lost focus to its parent while its window is destroyed; when
// the object was already half gone the parent could not hand the report back and showed an
// error instead.
TEST(ControlLifetime, DestroyingAFocusedControlObjectReportsNoError) {
    testing_support::MessageBoxWatcher watcher;
    ControlTestWindow window;
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
