#include "ControlHost.hpp"
#include "WinTestSupport.hpp"

#include "ui/controls/Button.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/FramedControl.hpp"
#include "ui/controls/RichEdit.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"

#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

using namespace testing_support;
using ui::controls::RichEdit;

namespace {

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

    ControlHost window;
    ui::controls::Edit before;
    RichEdit rich;
    ui::controls::Button after;
    std::vector<std::wstring> opened;
};

// A key press and release for the focused window, with a modifier key held down when one
// is given, run through the dialog manager and the translation to characters as a dialog's
// message loop does.
void pressKey(HWND top, UINT key, int modifier = 0) {
    BYTE saved[256];
    BYTE state[256];
    GetKeyboardState(saved);
    GetKeyboardState(state);
    if (modifier != 0) {
        state[modifier] |= 0x80;
    }
    SetKeyboardState(state);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1 | scan);
    PostMessageW(GetFocus(), WM_KEYUP, key, 1 | scan | (1 << 30) | (1u << 31));
    MSG msg;
    // Characters made from the keys are posted behind them; the queue is drained until empty.
    for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (!IsDialogMessageW(top, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    SetKeyboardState(saved);
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

// Whether any of the first `length` characters is bold; moves the selection.
bool anyCharacterIsBold(HWND rich, int length) {
    for (int i = 0; i < length; ++i) {
        SendMessageW(rich, EM_SETSEL, i, i + 1);
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(rich, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        if ((format.dwEffects & CFE_BOLD) != 0) {
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

void doubleClick(HWND window, POINT p) {
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

}  // namespace

// Texts longer than the control's own default limit are neither cut when set nor when
// pasted, and the scroll bar they bring stays inside the frame.
TEST_F(RichEditFixture, LongTextIsKeptWholeAndScrollsInsideTheFrame) {
    rich.setPaddings(3, 3, 3, 3);
    std::wstring text;
    while (text.size() < 100000) {
        text += L"A line of a long note, long enough to wrap in the box.\r\n";
    }
    const int length = static_cast<int>(text.size() - text.size() / 56);
    pumpFor(20);
    rich.setText(text);
    EXPECT_EQ(length, rich.getTextLength());
    pumpFor(20);
    ASSERT_TRUE(GetWindowLongPtrW(rich.getHandle(), GWL_STYLE) & WS_VSCROLL);
    RECT client{};
    GetClientRect(rich.getHandle(), &client);
    EXPECT_EQ(300 - 8 - GetSystemMetrics(SM_CXVSCROLL), client.right);
    EXPECT_EQ(120 - 8, client.bottom);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(rich.getHandle(), OBJID_VSCROLL, &bar));
    EXPECT_EQ(windowRect(rich.getHandle()).right - 4, bar.rcScrollBar.right);
    EXPECT_EQ(windowRect(rich.getHandle()).top + 4, bar.rcScrollBar.top);

    putOnClipboard(window.getHandle(), text);
    rich.selectAll();
    rich.pastePlainText();
    EXPECT_EQ(length, rich.getTextLength());
}

// In a dialog Enter breaks the line; Tab and Shift+Tab leave, taking the focused outline
// along; Ctrl+Tab is left to the control. No tab character gets in.
TEST_F(RichEditFixture, EnterBreaksTheLineAndTabLeavesWithoutATab) {
    using ui::controls::focusedFrameColor;
    EXPECT_EQ(focusedFrameColor, settledPixel(rich.getHandle(), 0, 30, focusedFrameColor));
    rich.setText(L"ab");
    select(1, 1);
    pressKey(window.getHandle(), VK_RETURN);
    EXPECT_EQ(rich.getHandle(), GetFocus());
    EXPECT_EQ(2, SendMessageW(rich.getHandle(), EM_GETLINECOUNT, 0, 0));
    EXPECT_EQ(3, rich.getTextLength());

    rich.setText(L"text");
    select(2, 2);
    pressKey(window.getHandle(), VK_TAB);
    EXPECT_EQ(after.getHandle(), GetFocus());
    EXPECT_EQ(ui::controls::frameColor, settledPixel(rich.getHandle(), 0, 30, ui::controls::frameColor));
    const std::pair<int, HWND> modifiers[] = {{VK_SHIFT, before.getHandle()}, {VK_CONTROL, rich.getHandle()}};
    for (const auto& [modifier, next] : modifiers) {
        rich.focus();
        pressKey(window.getHandle(), VK_TAB, modifier);
        EXPECT_EQ(next, GetFocus());
    }
    SendMessageW(rich.getHandle(), WM_CHAR, '\t', 1);
    EXPECT_EQ(L"text", rich.getText());
}

// Up on the first line goes to the start, Down on the last to the end (a selection ending
// there collapses); pressed again there, they leave. Elsewhere the control moves the caret.
TEST_F(RichEditFixture, UpAndDownGoToTheEndsThenLeave) {
    rich.setText(L"first line\r\nsecond line");
    const LONG length = rich.getTextLength();
    ASSERT_EQ(22, length);
    struct Case {
        UINT key;
        LONG inside, lineReached, endFrom, end;
        HWND next;
    };
    for (const Case& c :
         {Case{VK_UP, 15, 0, 3, 0, before.getHandle()}, Case{VK_PRIOR, 15, 0, 3, 0, before.getHandle()},
          Case{VK_DOWN, 3, 1, 14, length, after.getHandle()}, Case{VK_NEXT, 3, 1, 14, length, after.getHandle()}}) {
        SCOPED_TRACE(c.key);
        rich.focus();
        select(c.inside, c.inside);
        sendKey(rich.getHandle(), c.key);
        EXPECT_EQ(rich.getHandle(), GetFocus());
        EXPECT_EQ(c.lineReached, SendMessageW(rich.getHandle(), EM_EXLINEFROMCHAR, 0, selection().cpMax));

        select(c.endFrom, c.key == VK_UP || c.key == VK_PRIOR ? c.endFrom : length);
        sendKey(rich.getHandle(), c.key);
        EXPECT_EQ(rich.getHandle(), GetFocus());
        EXPECT_EQ(c.end, selection().cpMin);
        EXPECT_EQ(c.end, selection().cpMax);
        sendKey(rich.getHandle(), c.key);
        EXPECT_EQ(c.next, GetFocus());
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
    pressKey(window.getHandle(), 'V', VK_CONTROL);
    EXPECT_EQ(L"<bold text>", rich.getText());
    EXPECT_FALSE(anyCharacterIsBold(rich.getHandle(), 11));

    // Shift+Insert pastes the same way; Insert alone is left to the control.
    rich.setText(L"");
    pressKey(window.getHandle(), VK_INSERT, VK_SHIFT);
    EXPECT_EQ(L"bold text", rich.getText());
    EXPECT_FALSE(anyCharacterIsBold(rich.getHandle(), 9));
    EXPECT_FALSE(rich.onKeyDown(VK_INSERT, 1, true, false));
    EXPECT_FALSE(rich.onKeyDown('V', 1, false, false));

    // A read-only text is not pasted into.
    SendMessageW(rich.getHandle(), EM_SETREADONLY, TRUE, 0);
    rich.selectAll();
    rich.pastePlainText();
    EXPECT_EQ(L"bold text", rich.getText());
}

TEST_F(RichEditFixture, ContextMenuHoldsTheEditCommandsInOrderEnabledByTheTextState) {
    const HMENU menu = rich.contextMenu.getHandle();
    ASSERT_EQ(9, GetMenuItemCount(menu));
    std::string entries;  // the commands' text keys, "|" for a separator
    for (int position = 0; position < 9; ++position) {
        auto* item = dynamic_cast<ui::menu::Item*>(rich.contextMenu.getItem(GetMenuItemID(menu, position)));
        const bool separator = (GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        entries += separator ? "|" : item != nullptr ? item->getCommand().getTextKey() + " " : "?";
    }
    EXPECT_EQ("undo redo |menu.edit.cut menu.edit.copy menu.edit.paste menu.edit.delete |menu.edit.selectall ",
              entries);

    // '+' for each enabled entry of undo, redo, cut, copy, paste, delete, select all.
    const auto enabled = [&] {
        rich.contextMenu.refreshEnabledStates();
        std::string states;
        for (int position : {0, 1, 3, 4, 5, 6, 8}) {
            states += (GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) == 0 ? '+' : '-';
        }
        return states;
    };
    rich.setText(L"");
    SendMessageW(rich.getHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_EQ("----+-+", enabled());
    SendMessageW(rich.getHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed"));
    EXPECT_EQ("+---+-+", enabled());
    select(0, 2);
    EXPECT_EQ("+-+++++", enabled());
    rich.undo();
    select(0, 0);
    EXPECT_EQ("-+--+-+", enabled());
}

TEST_F(RichEditFixture, ContextMenuCommandsActOnTheText) {
    const HMENU menu = rich.contextMenu.getHandle();
    const auto run = [&](int position) {
        SendMessageW(rich.getHandle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(menu, position), 0), 0);
    };
    rich.setText(L"alpha beta");

    run(8);  // select all
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

// A double click on a link opens it; a single click, or a double click on plain text, opens
// nothing. The range a link notification gives is cut to the text before it is read.
TEST_F(RichEditFixture, DoubleClickOnALinkOpensItWithinTheText) {
    rich.setText(L"Visit http://example.com/page now");
    pumpFor(20);
    const POINT p = positionOf(rich.getHandle(), 12);
    SendMessageW(rich.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(rich.getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    pumpFor(20);
    EXPECT_TRUE(opened.empty());
    doubleClick(rich.getHandle(), p);
    pumpFor(20);
    EXPECT_EQ(std::vector<std::wstring>{L"http://example.com/page"}, opened);
    doubleClick(rich.getHandle(), positionOf(rich.getHandle(), 2));
    EXPECT_EQ(1u, opened.size());

    opened.clear();
    rich.setText(L"see www.example.org");
    ENLINK link{};
    link.nmhdr.hwndFrom = rich.getHandle();
    link.nmhdr.code = EN_LINK;
    link.msg = WM_LBUTTONDBLCLK;
    for (const CHARRANGE range : {CHARRANGE{4, 1 << 30}, CHARRANGE{50, 10}, CHARRANGE{-5, 3}}) {
        link.chrg = range;
        rich.onCommand(EN_LINK, reinterpret_cast<ULONG_PTR>(&link));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"www.example.org", L"see"}), opened);
}
