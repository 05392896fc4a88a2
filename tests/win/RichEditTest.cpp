#include "ScreenCapture.hpp"
#include "WinTestSupport.hpp"

#include "ui/TopWindow.hpp"
#include "ui/controls/Button.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/FlatFrame.hpp"
#include "ui/controls/RichEdit.hpp"
#include "ui/controls/RichEditLibrary.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"

#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

using testing_support::pumpFor;
using testing_support::pumpUntil;
using ui::controls::RichEdit;

namespace {

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
};

// A rich edit between two other tab stops, with links opened into a list instead of a
// browser.
struct RichEditFixture : ::testing::Test {
    RichEditFixture() : before(&window), rich(&window), after(&window, L"OK") {
        before.create();
        rich.create();
        after.create();
        before.setBounds(10, 10, 175, 22, true);
        rich.setBounds(10, 40, 300, 120, true);
        after.setBounds(10, 170, 75, 24, true);
        rich.setLinkOpener([this](HWND, const std::wstring& link) { opened.push_back(link); });
        rich.focus();
    }

    CHARRANGE selection() const {
        CHARRANGE range{-1, -1};
        SendMessageW(rich.getHandle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range;
    }

    void select(LONG start, LONG end) { SendMessageW(rich.getHandle(), EM_SETSEL, start, end); }

    ControlTestWindow window;
    ui::controls::Edit before;
    RichEdit rich;
    ui::controls::Button after;
    std::vector<std::wstring> opened;
};

// Holds modifier keys down in this thread's keyboard state, as the user would while
// pressing another key, and lets them go when it ends.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        for (int key : keys) {
            state[key] |= 0x80;
        }
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

// A key press and release for the focused window, run through the dialog manager and the
// translation to characters, as a dialog's message loop does.
void pressKey(HWND top, UINT key) {
    HWND target = GetFocus();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(target, WM_KEYUP, key, 1 | scan | (1 << 30) | (1u << 31));
    MSG msg;
    // Characters made from the keys are posted behind them; the queue is drained until empty.
    for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (!IsDialogMessageW(top, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void sendKey(HWND target, UINT key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    SendMessageW(target, WM_KEYDOWN, key, 1 | scan);
    SendMessageW(target, WM_KEYUP, key, 1 | scan | (1 << 30) | (1u << 31));
}

HGLOBAL globalCopy(const void* data, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    return block;
}

// Puts text on the clipboard as another program would: plain Unicode text and, when given,
// the same text as RTF.
void putOnClipboard(HWND owner, const std::wstring& text, const std::string& rtf = std::string()) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, globalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
    if (!rtf.empty()) {
        SetClipboardData(RegisterClipboardFormatW(L"Rich Text Format"), globalCopy(rtf.c_str(), rtf.size() + 1));
    }
    CloseClipboard();
}

std::wstring clipboardText(HWND owner) {
    std::wstring text;
    if (OpenClipboard(owner)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

bool selectionIsBold(HWND rich) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(rich, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwEffects & CFE_BOLD) != 0;
}

bool anyCharacterIsBold(HWND rich, int length) {
    for (int i = 0; i < length; ++i) {
        SendMessageW(rich, EM_SETSEL, i, i + 1);
        if (selectionIsBold(rich)) {
            return true;
        }
    }
    return false;
}

POINT positionOf(HWND rich, int character) {
    POINTL point{0, 0};
    SendMessageW(rich, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), character);
    return POINT{point.x + 2, point.y + 4};
}

}  // namespace

TEST(RichEditLibraryTest, LoadingTwiceKeepsTheClassRegistered) {
    ui::controls::loadRichEditLibrary();
    ui::controls::loadRichEditLibrary();
    EXPECT_NE(nullptr, GetModuleHandleW(L"riched20.dll"));
    WNDCLASSW info{};
    EXPECT_TRUE(GetClassInfoW(nullptr, L"RichEdit20W", &info));
}

TEST_F(RichEditFixture, NewRichEditHasItsSizeStyleLinksAndFormattingRectangle) {
    RichEdit fresh(&window);
    fresh.create();
    const HWND hwnd = fresh.getHandle();

    RECT bounds{};
    GetWindowRect(hwnd, &bounds);
    EXPECT_EQ(175, bounds.right - bounds.left);
    EXPECT_EQ(22, bounds.bottom - bounds.top);
    EXPECT_EQ(175, fresh.getMinWidth());
    EXPECT_EQ(22, fresh.getMinHeight());
    EXPECT_EQ(2, fresh.getMarginLeft());
    EXPECT_EQ(2, fresh.getMarginTop());
    EXPECT_EQ(2, fresh.getMarginRight());
    EXPECT_EQ(2, fresh.getMarginBottom());

    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    EXPECT_STREQ(L"Oskel.RichEdit", name);
    const auto style = static_cast<unsigned>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    EXPECT_EQ(0x46011044u, style & 0x4601F0FFu);
    EXPECT_TRUE(IsWindowVisible(hwnd));

    EXPECT_TRUE(SendMessageW(hwnd, EM_GETEVENTMASK, 0, 0) & ENM_LINK);
    EXPECT_TRUE(SendMessageW(hwnd, EM_GETAUTOURLDETECT, 0, 0));
    // The limit is posted; once it has arrived a long text can be typed in.
    pumpFor(20);
    EXPECT_GE(SendMessageW(hwnd, EM_GETLIMITTEXT, 0, 0), 0xFFFF);

    // Without paddings only the outline is outside the client area.
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(173, client.right);
    EXPECT_EQ(20, client.bottom);
    RECT format{};
    SendMessageW(hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(5, format.left);
    EXPECT_EQ(1, format.top);
    EXPECT_EQ(173 - 15, format.right);
    EXPECT_EQ(20 - 1, format.bottom);
}

// Texts longer than the control's own default limit are neither cut when set nor when pasted.
TEST_F(RichEditFixture, LongTextIsKeptWhole) {
    std::wstring text;
    while (text.size() < 100000) {
        text += L"A line of a long note, long enough to wrap in the box.\r\n";
    }
    const int lines = static_cast<int>(text.size() / 56);
    pumpFor(20);
    rich.setText(text);
    EXPECT_EQ(static_cast<int>(text.size()) - lines, rich.getTextLength());
    putOnClipboard(window.getHandle(), text);
    rich.selectAll();
    rich.pastePlainText();
    EXPECT_EQ(static_cast<int>(text.size()) - lines, rich.getTextLength());
}

TEST_F(RichEditFixture, ScrollBarStaysInsideTheFrame) {
    rich.setPaddings(3, 3, 3, 3);
    std::wstring lines;
    for (int i = 0; i < 40; ++i) {
        lines += L"line " + std::to_wstring(i) + L"\r\n";
    }
    rich.setText(lines);
    pumpFor(20);
    ASSERT_TRUE(GetWindowLongPtrW(rich.getHandle(), GWL_STYLE) & WS_VSCROLL);

    RECT client{};
    GetClientRect(rich.getHandle(), &client);
    EXPECT_EQ(300 - 8 - GetSystemMetrics(SM_CXVSCROLL), client.right);
    EXPECT_EQ(120 - 8, client.bottom);

    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(rich.getHandle(), OBJID_VSCROLL, &bar));
    RECT bounds{};
    GetWindowRect(rich.getHandle(), &bounds);
    EXPECT_EQ(bounds.right - 4, bar.rcScrollBar.right);
    EXPECT_EQ(bounds.top + 4, bar.rcScrollBar.top);
}

TEST_F(RichEditFixture, OutlineFollowsTheFocus) {
    const HWND hwnd = rich.getHandle();
    const auto pixel = [hwnd] {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return testing_support::ScreenCapture(r).pixel(r.left, r.top + 30);
    };
    pumpUntil([&] { return pixel() == ui::controls::focusedFrameColor; }, 3000);
    EXPECT_EQ(ui::controls::focusedFrameColor, pixel());
    before.focus();
    pumpUntil([&] { return pixel() == ui::controls::frameColor; }, 3000);
    EXPECT_EQ(ui::controls::frameColor, pixel());
}

TEST_F(RichEditFixture, EnterInsertsALineBreakEvenInADialog) {
    rich.setText(L"ab");
    select(1, 1);
    pressKey(window.getHandle(), VK_RETURN);
    EXPECT_EQ(rich.getHandle(), GetFocus());
    EXPECT_EQ(2, SendMessageW(rich.getHandle(), EM_GETLINECOUNT, 0, 0));
    EXPECT_EQ(3, rich.getTextLength());

    MSG enter{};
    enter.hwnd = rich.getHandle();
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    EXPECT_EQ(0x87, SendMessageW(rich.getHandle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)));
    MSG letter = enter;
    letter.wParam = 'A';
    EXPECT_EQ(0x83, SendMessageW(rich.getHandle(), WM_GETDLGCODE, 'A', reinterpret_cast<LPARAM>(&letter)));
    EXPECT_EQ(0x83, SendMessageW(rich.getHandle(), WM_GETDLGCODE, 0, 0));
}

TEST_F(RichEditFixture, TabMovesTheFocusAndInsertsNothing) {
    rich.setText(L"text");
    select(2, 2);
    pressKey(window.getHandle(), VK_TAB);
    EXPECT_EQ(after.getHandle(), GetFocus());
    EXPECT_EQ(L"text", rich.getText());

    rich.focus();
    {
        HeldKeys shift{VK_SHIFT};
        pressKey(window.getHandle(), VK_TAB);
    }
    EXPECT_EQ(before.getHandle(), GetFocus());
    EXPECT_EQ(L"text", rich.getText());

    // Ctrl+Tab is left to the control, which gets no tab character either.
    rich.focus();
    {
        HeldKeys control{VK_CONTROL};
        pressKey(window.getHandle(), VK_TAB);
    }
    EXPECT_EQ(rich.getHandle(), GetFocus());
    EXPECT_EQ(L"text", rich.getText());
    SendMessageW(rich.getHandle(), WM_CHAR, '\t', 1);
    EXPECT_EQ(L"text", rich.getText());
}

TEST_F(RichEditFixture, UpOnTheFirstLineGoesToTheStartThenLeaves) {
    rich.setText(L"first line\r\nsecond line");
    for (UINT key : {VK_UP, VK_PRIOR}) {
        rich.focus();
        // From the second line the control moves the caret itself.
        select(15, 15);
        sendKey(rich.getHandle(), key);
        EXPECT_EQ(rich.getHandle(), GetFocus());
        EXPECT_EQ(0, SendMessageW(rich.getHandle(), EM_EXLINEFROMCHAR, 0, selection().cpMax));

        select(3, 3);
        sendKey(rich.getHandle(), key);
        EXPECT_EQ(rich.getHandle(), GetFocus());
        EXPECT_EQ(0, selection().cpMin);
        EXPECT_EQ(0, selection().cpMax);

        sendKey(rich.getHandle(), key);
        EXPECT_EQ(before.getHandle(), GetFocus());
    }
}

TEST_F(RichEditFixture, DownOnTheLastLineGoesToTheEndThenLeaves) {
    rich.setText(L"first line\r\nsecond line");
    const int length = rich.getTextLength();
    ASSERT_EQ(22, length);
    for (UINT key : {VK_DOWN, VK_NEXT}) {
        rich.focus();
        select(3, 3);
        sendKey(rich.getHandle(), key);
        EXPECT_EQ(rich.getHandle(), GetFocus());
        EXPECT_EQ(1, SendMessageW(rich.getHandle(), EM_EXLINEFROMCHAR, 0, selection().cpMax));

        // A selection ending at the end collapses to the end first.
        select(14, length);
        sendKey(rich.getHandle(), key);
        EXPECT_EQ(rich.getHandle(), GetFocus());
        EXPECT_EQ(length, selection().cpMin);
        EXPECT_EQ(length, selection().cpMax);

        sendKey(rich.getHandle(), key);
        EXPECT_EQ(after.getHandle(), GetFocus());
    }
}

TEST_F(RichEditFixture, PastingFormattedTextInsertsPlainText) {
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs40{\\b bold text}}";
    putOnClipboard(window.getHandle(), L"bold text", rtf);

    // The control's own paste takes the formatting, so the clipboard really holds it.
    RichEdit control(&window);
    control.create();
    SendMessageW(control.getHandle(), WM_PASTE, 0, 0);
    ASSERT_EQ(L"bold text", control.getText());
    ASSERT_TRUE(anyCharacterIsBold(control.getHandle(), 9));

    // The keys go the whole way, characters made from them included.
    rich.setText(L"<>");
    select(1, 1);
    {
        HeldKeys ctrl{VK_CONTROL};
        pressKey(window.getHandle(), 'V');
    }
    EXPECT_EQ(L"<bold text>", rich.getText());
    EXPECT_FALSE(anyCharacterIsBold(rich.getHandle(), 11));

    // Shift+Insert pastes the same way; Insert alone is left to the control.
    rich.setText(L"");
    {
        HeldKeys shift{VK_SHIFT};
        pressKey(window.getHandle(), VK_INSERT);
    }
    EXPECT_EQ(L"bold text", rich.getText());
    EXPECT_FALSE(anyCharacterIsBold(rich.getHandle(), 9));
    EXPECT_FALSE(rich.onKeyDown(VK_INSERT, 1, true, false));
    EXPECT_FALSE(rich.onKeyDown('V', 1, false, false));
}

TEST_F(RichEditFixture, PlainPasteReplacesTheSelectionAndCanBeUndone) {
    rich.setText(L"keep this, drop that");
    SendMessageW(rich.getHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
    putOnClipboard(window.getHandle(), L"new\r\nlines");
    select(11, 20);
    rich.pastePlainText();
    EXPECT_EQ(L"keep this, new\r\nlines", rich.getText());
    ASSERT_TRUE(rich.canUndo());
    rich.undo();
    EXPECT_EQ(L"keep this, drop that", rich.getText());
    EXPECT_TRUE(rich.canRedo());
    rich.redo();
    EXPECT_EQ(L"keep this, new\r\nlines", rich.getText());

    // A read-only text is not pasted into.
    SendMessageW(rich.getHandle(), EM_SETREADONLY, TRUE, 0);
    rich.selectAll();
    rich.pastePlainText();
    EXPECT_EQ(L"keep this, new\r\nlines", rich.getText());
}

TEST_F(RichEditFixture, ContextMenuHoldsTheEditCommandsInOrder) {
    const HMENU menu = rich.contextMenu.getHandle();
    ASSERT_EQ(9, GetMenuItemCount(menu));
    const std::vector<std::string> expected = {"undo", "redo", "", "menu.edit.cut", "menu.edit.copy",
                                               "menu.edit.paste", "menu.edit.delete", "", "menu.edit.selectall"};
    const std::vector<bool> hasIcon = {false, false, false, true, true, true, true, false, false};
    for (int position = 0; position < 9; ++position) {
        SCOPED_TRACE(position);
        const UINT state = GetMenuState(menu, position, MF_BYPOSITION);
        if (expected[position].empty()) {
            EXPECT_TRUE(state & MF_SEPARATOR);
            continue;
        }
        EXPECT_FALSE(state & MF_SEPARATOR);
        auto* item = dynamic_cast<ui::menu::Item*>(rich.contextMenu.getItem(GetMenuItemID(menu, position)));
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(expected[position], item->getCommand().getTextKey());
        EXPECT_EQ(hasIcon[position], !item->getIcon().isNull());
        if (hasIcon[position]) {
            EXPECT_EQ(16, item->getIcon().getWidth());
        }
    }
}

TEST_F(RichEditFixture, ContextMenuEntriesAreEnabledByTheTextState) {
    const HMENU menu = rich.contextMenu.getHandle();
    const auto enabled = [&] {
        rich.contextMenu.refreshEnabledStates();
        std::vector<bool> states;
        for (int position : {0, 1, 3, 4, 5, 6, 8}) {
            states.push_back((GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) == 0);
        }
        return states;
    };
    rich.setText(L"");
    SendMessageW(rich.getHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
    // undo, redo, cut, copy, paste, delete, select all
    EXPECT_EQ((std::vector<bool>{false, false, false, false, true, false, true}), enabled());

    SendMessageW(rich.getHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed"));
    EXPECT_EQ((std::vector<bool>{true, false, false, false, true, false, true}), enabled());

    select(0, 2);
    EXPECT_EQ((std::vector<bool>{true, false, true, true, true, true, true}), enabled());

    rich.undo();
    select(0, 0);
    EXPECT_EQ((std::vector<bool>{false, true, false, false, true, false, true}), enabled());
}

TEST_F(RichEditFixture, ContextMenuCommandsActOnTheText) {
    const HMENU menu = rich.contextMenu.getHandle();
    const auto run = [&](int position) {
        SendMessageW(rich.getHandle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(menu, position), 0), 0);
    };
    rich.setText(L"alpha beta");

    run(8);  // select all (the control counts its final paragraph mark in)
    EXPECT_EQ(0, selection().cpMin);
    EXPECT_GE(selection().cpMax, 10);

    run(4);  // copy
    EXPECT_EQ(L"alpha beta", clipboardText(window.getHandle()));

    select(0, 6);
    run(3);  // cut
    EXPECT_EQ(L"beta", rich.getText());
    EXPECT_EQ(L"alpha ", clipboardText(window.getHandle()));

    select(4, 4);
    putOnClipboard(window.getHandle(), L"!", "{\\rtf1\\ansi{\\b !}}");
    run(5);  // paste
    EXPECT_EQ(L"beta!", rich.getText());
    EXPECT_FALSE(anyCharacterIsBold(rich.getHandle(), 5));

    run(0);  // undo
    EXPECT_EQ(L"beta", rich.getText());
    run(1);  // redo
    EXPECT_EQ(L"beta!", rich.getText());

    // Disabled entries do nothing: nothing is selected, so cut leaves the text alone.
    putOnClipboard(window.getHandle(), L"unchanged");
    select(2, 2);
    run(3);
    EXPECT_EQ(L"beta!", rich.getText());
    EXPECT_EQ(L"unchanged", clipboardText(window.getHandle()));
}

// Deleting goes through the Delete key while the control has the focus; the key arrives
// as input, so the test waits for it.
TEST_F(RichEditFixture, DeleteSelectionDeletesWithAndWithoutTheFocus) {
    SetForegroundWindow(window.getHandle());
    rich.focus();
    rich.setText(L"one two three");
    SendMessageW(rich.getHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
    select(3, 7);
    rich.deleteSelection();
    EXPECT_TRUE(pumpUntil([&] { return rich.getText() == L"one three"; }, 3000));
    EXPECT_EQ(L"one three", rich.getText());

    // Without the focus the key would reach another window: the text is changed directly.
    before.setText(L"other control");
    before.focus();
    select(3, 9);
    rich.deleteSelection();
    pumpFor(100);
    EXPECT_EQ(L"one", rich.getText());
    EXPECT_EQ(L"other control", before.getText());
    ASSERT_TRUE(rich.canUndo());
    rich.undo();
    EXPECT_EQ(L"one three", rich.getText());
}

TEST_F(RichEditFixture, DoubleClickOnALinkOpensItAndASingleClickDoesNot) {
    rich.setText(L"Visit http://example.com/page now");
    pumpFor(20);
    const POINT p = positionOf(rich.getHandle(), 12);
    const LPARAM at = MAKELPARAM(p.x, p.y);

    SendMessageW(rich.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(rich.getHandle(), WM_LBUTTONUP, 0, at);
    pumpFor(20);
    EXPECT_TRUE(opened.empty());

    SendMessageW(rich.getHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(rich.getHandle(), WM_LBUTTONUP, 0, at);
    pumpFor(20);
    EXPECT_EQ(std::vector<std::wstring>{L"http://example.com/page"}, opened);

    // A double click on plain text opens nothing.
    const POINT plain = positionOf(rich.getHandle(), 2);
    SendMessageW(rich.getHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(plain.x, plain.y));
    SendMessageW(rich.getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(plain.x, plain.y));
    EXPECT_EQ(1u, opened.size());
}

// The range of a link notification is checked against the text before anything is read.
TEST_F(RichEditFixture, LinkRangeBeyondTheTextIsCutToTheText) {
    rich.setText(L"see www.example.org");
    ENLINK link{};
    link.nmhdr.hwndFrom = rich.getHandle();
    link.nmhdr.code = EN_LINK;
    link.msg = WM_LBUTTONDBLCLK;
    link.chrg.cpMin = 4;
    link.chrg.cpMax = 1 << 30;
    rich.onCommand(EN_LINK, reinterpret_cast<ULONG_PTR>(&link));
    link.chrg.cpMin = 50;
    link.chrg.cpMax = 10;
    rich.onCommand(EN_LINK, reinterpret_cast<ULONG_PTR>(&link));
    link.chrg.cpMin = -5;
    link.chrg.cpMax = 3;
    rich.onCommand(EN_LINK, reinterpret_cast<ULONG_PTR>(&link));
    EXPECT_EQ((std::vector<std::wstring>{L"www.example.org", L"see"}), opened);
}
