#include "app/mainframe/FilterControl.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookView.hpp"
#include "gdi/Color.hpp"
#include "ui/menu/CheckItem.hpp"

#include "ControlHost.hpp"
#include "MenuTestSupport.hpp"
#include "ScreenCapture.hpp"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using app::mainframe::FilterControl;
using app::mainframe::filtercontrol::TextFilterEdit;
using app::model::TextFilter;
using namespace testing_support;

namespace {

// Four of the five hold an "a"; only the first holds "al".
std::unique_ptr<app::model::Notebook> makeNotebook() {
    app::model::Notebook::Notes notes;
    for (const wchar_t* text : {L"alpha", L"beta", L"gamma", L"delta", L"one"}) {
        notes.emplace_back(text, L"", L"", app::model::Note::now());
    }
    return std::make_unique<app::model::Notebook>(std::move(notes));
}

const app::ColorRef normalColor = gdi::blend(gdi::desaturate(RGB(0, 90, 240), 50), gdi::white, 0.15);
const app::ColorRef activeColor = gdi::blend(gdi::desaturate(RGB(0, 90, 240), 30), gdi::white, 0.35);

// Installs the bar's filter on the view at every filterChanged, as the main window does.
void wire(FilterControl& bar, app::model::INotebookView& view) {
    bar.filterChanged.connect([&bar, &view] {
        view.setFilter(bar.hasText() ? std::make_unique<TextFilter>(bar.getFields(), bar.getText()) : nullptr);
    });
}

// A bar over a notebook of five notes, in a visible host window.
class FilterControlTest : public testing::Test {
protected:
    FilterControlTest() {
        wire(bar, notebook->view());
        bar.filterChanged.connect([this] { ++changes; });
        bar.filterCleared.connect([this] { ++cleared; });
        bar.listFocusRequested.connect([this] { ++listFocus; });
        bar.create();
        bar.setBackgroundColors(normalColor, activeColor);
        pumpFor(30);
    }
    ~FilterControlTest() override { SetKeyboardState(std::array<BYTE, 256>{}.data()); }

    HWND edit() { return bar.getEdit().getHandle(); }
    std::wstring status() { return bar.getStatusLabel().getText(); }
    void type(const std::wstring& text) {
        for (wchar_t c : text) {
            SendMessageW(edit(), WM_CHAR, c, 1);
        }
    }
    void press(int key, bool ctrl = false) {
        std::array<BYTE, 256> keys{};
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys.data());
        SendMessageW(edit(), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        SetKeyboardState(std::array<BYTE, 256>{}.data());
    }
    // The screen point (x, y) of the edit's window rectangle.
    LPARAM at(int x, int y) {
        const RECT r = windowRect(edit());
        return MAKELPARAM(r.left + x, r.top + y);
    }

    std::unique_ptr<app::model::Notebook> notebook = makeNotebook();
    ControlHost host;
    FilterControl bar{&host, notebook->view()};
    int changes = 0, cleared = 0, listFocus = 0;
};

// Opens a menu with `open`, posts `keys` to it then Enter (Escape without keys), and
// answers where the menu was on screen.
RECT trackMenu(const std::function<void()>& open, const std::vector<WPARAM>& keys) {
    std::atomic<bool> seen{false};
    RECT shown{};
    {
        ThreadWindowWatcher watcher(L"#32768", [&](HWND menu, bool first) {
            if (first) {
                GetWindowRect(menu, &shown);
                seen = true;
                for (WPARAM key : keys) {
                    PostMessageW(menu, WM_KEYDOWN, key, 1);
                }
                PostMessageW(menu, WM_KEYDOWN, keys.empty() ? VK_ESCAPE : VK_RETURN, 1);
            }
        });
        open();
    }
    // The chosen entry's command comes posted.
    pumpFor(20);
    EXPECT_TRUE(seen);
    return shown;
}

// How many pixels of the 16 x 16 square at `corner` (window coordinates) pass `test`, which
// takes screen coordinates.
int countIn(const RECT& window, POINT corner, const std::function<bool(int, int)>& test) {
    int passed = 0;
    for (int y = window.top + corner.y; y < window.top + corner.y + 16; ++y) {
        for (int x = window.left + corner.x; x < window.left + corner.x + 16; ++x) {
            passed += test(x, y) ? 1 : 0;
        }
    }
    return passed;
}

}  // namespace

TEST_F(FilterControlTest, LaysOutTheEditAndTheStatusInARowWithinThePaddings) {
    // Paddings 8, 4, 18, 4; the edit keeps the margins of every edit (4), the label 15 on its left.
    expectPlace(bar.getEdit(), 12, 8, 240, 22);
    const RECT label = placeOf(bar.getStatusLabel().getHandle());
    EXPECT_EQ(8 + 248 + 15, label.left);
    EXPECT_EQ(170, label.right - label.left);
    EXPECT_EQ(8 + 248 + 15 + 170 + 5 + 18, bar.getMinWidth());
    EXPECT_EQ(38, windowSize(bar.getHandle()).cy);
    // A disabled parent would keep the clicks from the edit.
    EXPECT_TRUE(IsWindowEnabled(bar.getHandle()));
}

TEST_F(FilterControlTest, EveryTextChangeFiltersAndTheStatusCountsWhatTheViewShows) {
    EXPECT_EQ(L"5 notes", status());
    // The dates hold letters too; the text and title alone make the counts certain.
    bar.setFields(TextFilter::TextAndTitle);
    EXPECT_EQ(0, changes);
    type(L"a");
    EXPECT_EQ(1, changes);
    EXPECT_EQ(L"4 notes found (Esc to cancel)", status());
    type(L"l");
    EXPECT_EQ(L"1 note found (Esc to cancel)", status());
    type(L"x");
    EXPECT_EQ(3, changes);
    EXPECT_EQ(L"0 notes found (Esc to cancel)", status());
    // With a text, new fields filter again at once.
    bar.setFields(TextFilter::Title);
    EXPECT_EQ(4, changes);

    bar.clear();
    EXPECT_EQ(L"", bar.getText());
    EXPECT_EQ(1, cleared);
    EXPECT_EQ(5, changes);
    EXPECT_FALSE(notebook->view().hasFilter());
    EXPECT_EQ(L"5 notes", status());
    // Deleting and adding notes counts too, without any filter change.
    notebook->view().deleteNotes({0, 1, 2, 3});
    EXPECT_EQ(L"1 note", status());
    notebook->view().deleteAll();
    EXPECT_EQ(L"0 notes", status());
    EXPECT_EQ(5, changes);
}

TEST_F(FilterControlTest, KeysStepTheFieldsMoveToTheListAndTypeCharReplacesTheText) {
    std::vector<TextFilter::Fields> seen;
    bar.getEdit().fieldsChanged.connect([&] { seen.push_back(bar.getFields()); });
    // The separator after Anywhere is skipped; nothing lies before the first or after the last.
    for (int key : {VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_UP, VK_NEXT, VK_DOWN, VK_PRIOR}) {
        press(key, true);
    }
    EXPECT_EQ((std::vector<TextFilter::Fields>{TextFilter::TextAndTitle, TextFilter::Text, TextFilter::TextAndTitle,
                                               TextFilter::All, TextFilter::Tags, TextFilter::All}),
              seen);
    EXPECT_EQ(0, listFocus);
    press(VK_DOWN);
    press(VK_NEXT);
    EXPECT_EQ(2, listFocus);
    EXPECT_EQ(TextFilter::All, bar.getFields());
    EXPECT_EQ(0, changes);

    bar.getEdit().setText(L"hello");
    SendMessageW(edit(), EM_SETSEL, 0, 0);
    bar.typeChar(L'q');
    EXPECT_EQ(L"q", bar.getText());
    EXPECT_EQ(2, changes);
    DWORD start = 9, end = 9;
    SendMessageW(edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(1u, start);
    EXPECT_EQ(1u, end);
    EXPECT_EQ(edit(), GetFocus());
}

TEST_F(FilterControlTest, TheEditDrawsItsIconsAndAClearIconThatEmptiesTheText) {
    const RECT r = windowRect(edit());
    const COLORREF white = GetSysColor(COLOR_WINDOW);
    const POINT clear = TextFilterEdit::clearIconAt(240, 22);
    EXPECT_EQ(white, settledPixel(edit(), clear.x + 8, clear.y + 8, white));
    const ScreenCapture empty(r);
    const auto ink = [&](const ScreenCapture& shot) { return [&](int x, int y) { return shot.pixel(x, y) != white; }; };
    EXPECT_GT(countIn(r, TextFilterEdit::searchIconAt(22), ink(empty)), 20);
    EXPECT_GT(countIn(r, TextFilterEdit::fieldIconAt(22), ink(empty)), 20);
    // The margins answer as frame, so clicks there do not move the caret.
    EXPECT_EQ(HTBORDER, SendMessageW(edit(), WM_NCHITTEST, 0, at(clear.x + 8, clear.y + 8)));
    EXPECT_EQ(HTCLIENT, SendMessageW(edit(), WM_NCHITTEST, 0, at(120, 11)));
    SendMessageW(edit(), WM_NCLBUTTONDOWN, HTBORDER, at(clear.x + 8, clear.y + 8));
    EXPECT_EQ(0, changes);

    type(L"be");
    EXPECT_EQ(RGB(120, 190, 255), settledPixel(edit(), 0, 0, RGB(120, 190, 255)));
    pumpFor(50);
    const ScreenCapture typed(r);
    EXPECT_GT(countIn(r, clear, ink(typed)), 20);
    // Another choice shows another icon in the same place.
    bar.setFields(TextFilter::Link);
    pumpFor(100);
    const ScreenCapture link(r);
    EXPECT_GT(countIn(r, TextFilterEdit::fieldIconAt(22),
                      [&](int x, int y) { return link.pixel(x, y) != typed.pixel(x, y); }),
              10);

    SendMessageW(edit(), WM_NCLBUTTONDOWN, HTBORDER, at(clear.x - 8, clear.y + 8));
    EXPECT_EQ(L"be", bar.getText());
    SendMessageW(edit(), WM_NCLBUTTONDOWN, HTBORDER, at(clear.x + 8, clear.y + 8));
    EXPECT_EQ(L"", bar.getText());
    EXPECT_FALSE(notebook->view().hasFilter());
    EXPECT_EQ(L"5 notes", status());
}

TEST_F(FilterControlTest, AltDownAndTheLeftMarginOpenTheFieldMenuWithTheCurrentFieldsChecked) {
    const RECT r = windowRect(edit());
    type(L"a");
    // Down to Anywhere, past the separator to Text and Title, then Text Only.
    RECT shown =
        trackMenu([&] { SendMessageW(edit(), WM_SYSKEYDOWN, VK_DOWN, 1 | (1 << 29)); }, {VK_DOWN, VK_DOWN, VK_DOWN});
    EXPECT_EQ(r.left + 5, shown.left);
    EXPECT_EQ(r.bottom, shown.top);
    EXPECT_EQ(TextFilter::Text, bar.getFields());
    EXPECT_EQ(2, changes);
    shown = trackMenu([&] { SendMessageW(edit(), WM_NCLBUTTONDOWN, HTBORDER, at(20, 20)); }, {});
    EXPECT_EQ(r.left + 13, shown.left);
    EXPECT_EQ(r.bottom, shown.top);
    EXPECT_EQ(2, changes);

    ui::menu::Popup& menu = bar.getEdit().getFieldMenu();
    ASSERT_EQ(8, GetMenuItemCount(menu.getHandle()));
    EXPECT_TRUE(entryAt(menu.getHandle(), 1).fType & MFT_SEPARATOR);
    std::vector<std::wstring> checked;
    for (UINT i = 0; i < 8; ++i) {
        auto* item =
            dynamic_cast<ui::menu::CheckItem*>(menu.getItem(static_cast<int>(entryAt(menu.getHandle(), i).dwItemData)));
        if (item != nullptr && item->isChecked()) {
            checked.push_back(item->getText());
        }
    }
    EXPECT_EQ(std::vector<std::wstring>{L"Te&xt Only"}, checked);
}

TEST_F(FilterControlTest, TheBackgroundAndTheStatusColoursFollowTheText) {
    const auto printed = [](HWND window) {
        auto canvas = std::make_unique<PixelCanvas>(RGB(255, 0, 255), 200, 40);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT | PRF_ERASEBKGND);
        return canvas;
    };
    const HWND panel = bar.getHandle();
    const HWND label = bar.getStatusLabel().getHandle();
    EXPECT_EQ(normalColor, printed(panel)->at(2, 2));
    EXPECT_EQ(normalColor, printed(label)->at(168, 1));
    EXPECT_GT(printed(label)->count(RGB(150, 150, 150)), 10);
    type(L"a");
    EXPECT_EQ(activeColor, printed(panel)->at(2, 2));
    EXPECT_EQ(activeColor, printed(label)->at(168, 1));
    EXPECT_GT(printed(label)->count(RGB(100, 100, 100)), 10);
    EXPECT_EQ(0, printed(label)->count(RGB(150, 150, 150)));
    bar.setBackgroundColors(RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), printed(panel)->at(2, 2));
}

// Writes visual-filtercontrol.png for a person to look at: the bar without a search text,
// with one, and focused with Title Only.
TEST(FilterControlVisual, Pictures) {
    ControlHost host;
    SetWindowPos(host.getHandle(), HWND_TOP, 0, 0, 700, 400, SWP_NOACTIVATE);
    std::vector<std::unique_ptr<app::model::Notebook>> notebooks;
    std::vector<std::unique_ptr<FilterControl>> bars;
    for (int i = 0; i < 3; ++i) {
        notebooks.push_back(makeNotebook());
        bars.push_back(std::make_unique<FilterControl>(&host, notebooks.back()->view()));
        wire(*bars.back(), notebooks.back()->view());
        bars.back()->create();
        bars.back()->setBounds(0, i * 40, 620, 38, true);
        bars.back()->setBackgroundColors(normalColor, activeColor);
    }
    bars[1]->getEdit().setText(L"alpha");
    bars[2]->setFields(TextFilter::Title);
    bars[2]->focusEdit();
    pumpFor(150);
    RECT all = windowRect(bars[0]->getHandle());
    all.bottom = all.top + 3 * 40;
    EXPECT_TRUE(ScreenCapture(all).savePng(L"visual-filtercontrol.png"));
}
