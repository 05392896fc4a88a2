#include "app/mainframe/NotesList.hpp"
#include "app/mainframe/noteslist/Palette.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookView.hpp"
#include "app/model/TextFilter.hpp"
#include "err/ErrorReport.hpp"
#include "gdi/MemoryCanvas.hpp"
#include "gdi/UpdateCanvas.hpp"
#include "ui/controls/Edit.hpp"

#include "ControlHost.hpp"
#include "ScreenCapture.hpp"
#include "WinTestSupport.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

using app::mainframe::NotesList;
using app::mainframe::noteslist::statemanager::SelectionMode;
using app::model::Note;
using testing_support::ControlHost;
using testing_support::MessageBoxWatcher;
using testing_support::pumpFor;
using testing_support::windowRect;
namespace themes = app::mainframe::noteslist::themes;

namespace {

std::unique_ptr<app::model::Notebook> makeNotebook(int count) {
    app::model::Notebook::Notes notes;
    for (int i = 0; i < count; ++i) {
        std::wstring text = L"Note " + std::to_wstring(i) + L" first line of the body";
        for (int line = 0; line < i % 25; ++line) {
            text += L"\nline " + std::to_wstring(line) + L" of note " + std::to_wstring(i);
        }
        notes.emplace_back(text, L"", L"", Note::now());
        if (i % 3 == 0) {
            notes.back().setTags(L"alpha beta");
        }
        if (i % 4 == 0) {
            notes.back().setLink(L"http://example.com/" + std::to_wstring(i));
        }
    }
    return std::make_unique<app::model::Notebook>(std::move(notes));
}

// Every error report made while it lives, passed on to the presenter it stands in for:
// what the process's log gains meanwhile.
class ReportRecorder {
public:
    ReportRecorder()
        : previous_(err::setErrorPresenter([this](const err::ErrorReport& report) {
              {
                  std::lock_guard<std::mutex> guard(lock_);
                  reports_.push_back(report.where + " " + report.text);
              }
              if (previous_) {
                  previous_(report);
              }
          })) {}
    ~ReportRecorder() { err::setErrorPresenter(std::move(previous_)); }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    std::vector<std::string> all() const {
        std::lock_guard<std::mutex> guard(lock_);
        return reports_;
    }

private:
    mutable std::mutex lock_;
    std::vector<std::string> reports_;
    err::ErrorPresenter previous_;
};

// Whether every channel of `actual` is within 2 of `expected`'s, as alpha blending rounds.
testing::AssertionResult closeTo(COLORREF expected, COLORREF actual) {
    const auto off = [](int a, int b) { return a - b > 2 || b - a > 2; };
    if (off(GetRValue(expected), GetRValue(actual)) || off(GetGValue(expected), GetGValue(actual))
        || off(GetBValue(expected), GetBValue(actual))) {
        return testing::AssertionFailure()
               << "RGB(" << int(GetRValue(actual)) << ", " << int(GetGValue(actual)) << ", " << int(GetBValue(actual))
               << ") is not near RGB(" << int(GetRValue(expected)) << ", " << int(GetGValue(expected)) << ", "
               << int(GetBValue(expected)) << ")";
    }
    return testing::AssertionSuccess();
}

// A list of 300 notes, 400 x 300, in the Blue theme, in a visible host window.
class NotesListTest : public testing::Test {
protected:
    NotesListTest() {
        list.create();
        list.setBounds(0, 0, 400, 300, true);
        list.setBaseColor(themes::blue);
        list.focus();
        pumpFor(30);
    }
    ~NotesListTest() override {
        SetKeyboardState(neutral());
        list.destroy();
    }

    static BYTE* neutral() {
        static BYTE keys[256]{};
        return keys;
    }
    // A key press with these modifier keys held, as the list's own thread sees them.
    void press(int key, bool shift = false, bool ctrl = false) {
        BYTE keys[256]{};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(list.getHandle(), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        SetKeyboardState(neutral());
    }
    std::set<int> selected() const { return list.getSelection().toSet(); }
    // What a fresh full paint of the client area shows.
    std::unique_ptr<gdi::MemoryCanvas> printed() {
        RECT client;
        GetClientRect(list.getHandle(), &client);
        auto canvas = std::make_unique<gdi::MemoryCanvas>(screen.getHandle(), client.right, client.bottom);
        SendMessageW(list.getHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->getHandle()), PRF_CLIENT);
        return canvas;
    }

    // The pixels of the empty-list text, every second one in both directions.
    static int emptyTextPixels(gdi::MemoryCanvas& canvas) {
        int text = 0;
        for (int y = 0; y < 300; y += 2) {
            for (int x = 0; x < 400; x += 2) {
                text += GetPixel(canvas.getHandle(), x, y) == RGB(100, 100, 100) ? 1 : 0;
            }
        }
        return text;
    }

    std::unique_ptr<app::model::Notebook> notebook = makeNotebook(300);
    ControlHost host;
    NotesList list{&host, notebook->view()};
    gdi::UpdateCanvas screen{nullptr};
};

}  // namespace

TEST_F(NotesListTest, IsAToolkitControlOfItsOwnClass) {
    wchar_t name[64]{};
    GetClassNameW(list.getHandle(), name, 64);
    EXPECT_EQ(std::wstring(L"Oskel.NotesList"), name);
    const LONG_PTR style = GetWindowLongPtrW(list.getHandle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTCHARS, SendMessageW(list.getHandle(), WM_GETDLGCODE, 0, 0));
}

TEST_F(NotesListTest, ShiftArrowsGrowAndShrinkTheSelection) {
    list.setFocusIndex(2, SelectionMode::single);
    for (int i = 0; i < 3; ++i) {
        press(VK_DOWN, true);
    }
    EXPECT_EQ((std::set<int>{2, 3, 4, 5}), selected());
    press(VK_UP, true);
    EXPECT_EQ((std::set<int>{2, 3, 4}), selected());
    EXPECT_EQ(4, list.getFocus());
    press(VK_DOWN);
    EXPECT_EQ((std::set<int>{5}), selected());
    press('A', false, true);
    EXPECT_EQ(300u, list.getSelection().size());
    EXPECT_EQ(1u, list.getSelection().runs().size());
    // Shift+End at 300 notes: one run from the anchor to the end.
    list.setFocusIndex(7, SelectionMode::single);
    press(VK_END, true);
    EXPECT_EQ(293u, list.getSelection().size());
    EXPECT_EQ(299, list.getFocus());
    EXPECT_TRUE(list.scroller().geometry().isAtMaximum());
    // Home scrolls to the top at once.
    press(VK_HOME);
    EXPECT_EQ(0, list.scroller().geometry().getPosition().item);
    EXPECT_FALSE(list.scroller().isAnimating());
}

TEST_F(NotesListTest, KeysRaiseTheirEvents) {
    int edits = 0, deletes = 0, copies = 0, pastes = 0;
    std::wstring typed;
    list.editRequested.connect([&] { ++edits; });
    list.deleteRequested.connect([&] { ++deletes; });
    list.copyRequested.connect([&] { ++copies; });
    list.pasteRequested.connect([&] { ++pastes; });
    list.charTyped.connect([&](int c) { typed += static_cast<wchar_t>(c); });
    // Nothing selected: nothing to delete or copy.
    press(VK_DELETE);
    press('C', false, true);
    list.setFocusIndex(0, SelectionMode::single);
    press(VK_RETURN);
    press(VK_F2);
    press(VK_DELETE);
    press('C', false, true);
    press('V', false, true);
    press(VK_INSERT, true);
    SendMessageW(list.getHandle(), WM_CHAR, L'q', 1);
    EXPECT_EQ(2, edits);
    EXPECT_EQ(1, deletes);
    EXPECT_EQ(1, copies);
    EXPECT_EQ(2, pastes);
    EXPECT_EQ(L"q", typed);
}

TEST_F(NotesListTest, MouseClicksSelect) {
    const int top = list.scroller().geometry().topOf(1).value() + 2;
    SendMessageW(list.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, top));
    SendMessageW(list.getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(50, top));
    EXPECT_EQ(1, list.getFocus());
    EXPECT_EQ((std::set<int>{1}), selected());
    // The row just above belongs to the item before (the first row of an item is its own).
    SendMessageW(list.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, top - 1));
    EXPECT_EQ(0, list.getFocus());
}

// Right-clicking inside a multiple selection keeps it; outside it selects only the item
// under the pointer. The menu opens over the item, never on its edge.
TEST_F(NotesListTest, ContextMenuRequestsAndTheLinkClick) {
    std::vector<POINT> menus;
    int links = 0;
    list.contextMenuRequested.connect([&](int x, int y) { menus.push_back(POINT{x, y}); });
    list.linkRequested.connect([&] { ++links; });
    list.setFocusIndex(1, SelectionMode::single);
    list.setFocusIndex(2, SelectionMode::extend);
    SendMessageW(list.getHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.getHandle()), MAKELPARAM(-1, -1));
    EXPECT_EQ((std::set<int>{1, 2}), selected());
    ASSERT_EQ(1u, menus.size());
    POINT at = menus.back();
    ScreenToClient(list.getHandle(), &at);
    RECT client;
    GetClientRect(list.getHandle(), &client);
    EXPECT_EQ(client.right / 2, at.x);
    const int top = list.scroller().geometry().topOf(2).value() + 2;
    EXPECT_GE(at.y, top + 25);

    const int other = list.scroller().geometry().topOf(3).value() + 2;
    POINT screen{30, other + 1};
    ClientToScreen(list.getHandle(), &screen);
    SendMessageW(list.getHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.getHandle()),
                 MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ((std::set<int>{3}), selected());
    ASSERT_EQ(2u, menus.size());
    at = menus.back();
    ScreenToClient(list.getHandle(), &at);
    EXPECT_EQ(other + 25, at.y);

    BYTE keys[256]{};
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(list.getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(30, other + 5));
    SetKeyboardState(neutral());
    SendMessageW(list.getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(30, other + 5));
    EXPECT_EQ(1, links);
}

// A rebuilt view keeps the focus index within the new count as the single selection and
// forgets text offsets; an appended note becomes the single selection.
TEST_F(NotesListTest, FollowsTheViewsChanges) {
    list.setFocusIndex(24, SelectionMode::single);
    press(VK_RIGHT);
    EXPECT_EQ(1, list.getTextOffset(24));
    list.setFocusIndex(280, SelectionMode::selectAndMove);
    notebook->view().setFilter(std::make_unique<app::model::TextFilter>(app::model::TextFilter::Text, L"note 1"));
    const int shown = notebook->view().count();
    ASSERT_GT(shown, 0);
    ASSERT_LT(shown, 280);
    EXPECT_EQ(shown - 1, list.getFocus());
    EXPECT_EQ((std::set<int>{shown - 1}), selected());
    EXPECT_EQ(0, list.getTextOffset(24));

    notebook->view().setFilter(nullptr);
    notebook->addNote(Note(L"appended", L"", L"", Note::now()));
    EXPECT_EQ(300, list.getFocus());
    EXPECT_EQ((std::set<int>{300}), selected());
    EXPECT_TRUE(list.scroller().geometry().isAtMaximum());
}

TEST_F(NotesListTest, PaintsTheThemeAndTheTextScrollIndicator) {
    // Without the keyboard focus there is no focus rectangle over the frame.
    SetFocus(host.getHandle());
    auto canvas = printed();
    const auto palette = app::mainframe::noteslist::Palette::of(themes::blue);
    EXPECT_EQ(palette.background, GetPixel(canvas->getHandle(), 0, 0));
    EXPECT_EQ(RGB(180, 180, 180), GetPixel(canvas->getHandle(), 2, 2));
    EXPECT_EQ(palette.headerBand, GetPixel(canvas->getHandle(), 5, 5));

    // Note 24 has 25 lines, 15 shown: Right scrolls its text up to 10 lines.
    list.setFocusIndex(24, SelectionMode::single);
    EXPECT_EQ(136, list.renderer().indicatorIcon(24, list.getTextOffset(24)));
    press(VK_RIGHT);
    EXPECT_EQ(138, list.renderer().indicatorIcon(24, list.getTextOffset(24)));
    for (int i = 0; i < 20; ++i) {
        press(VK_RIGHT);
    }
    EXPECT_EQ(10, list.getTextOffset(24));
    EXPECT_EQ(137, list.renderer().indicatorIcon(24, list.getTextOffset(24)));
    press(VK_LEFT);
    EXPECT_EQ(9, list.getTextOffset(24));
}

// The Blue theme's base is RGB(0, 90, 240). A search box is filled with 12% of it over white
// and outlined with 50%, both exact; the selected item is tinted by alpha blending with 3%
// of the base while the list has the keyboard focus and 2% without, the header band by a
// further 16% (the header band itself is 4% of the base over white).
TEST_F(NotesListTest, TheBlueThemesHighlightAndSelectionColours) {
    const COLORREF fill = RGB(224, 235, 253);
    const COLORREF outline = RGB(127, 172, 247);
    notebook->view().setFilter(std::make_unique<app::model::TextFilter>(app::model::TextFilter::Text, L"first"));
    list.setFocusIndex(0, SelectionMode::single);
    ASSERT_TRUE(list.hasFocus());
    auto canvas = printed();
    const HDC dc = canvas->getHandle();

    // Item 1 is neither selected nor the focus; its body's first line holds the only match.
    const int top = list.scroller().geometry().topOf(1).value() + 2;
    const int bottom = top + list.renderer().getItemHeight(1) - 1;
    EXPECT_EQ(RGB(244, 248, 254), GetPixel(dc, 8, top + 3));
    int left = -1, y = top;
    for (; y < bottom && left < 0; ++y) {
        for (int x = 2; x < 398 && left < 0; ++x) {
            left = GetPixel(dc, x, y) == outline ? x : -1;
        }
    }
    ASSERT_GE(left, 0);
    // The top edge is clear of the text; the glyphs, drawn over the box in black, may
    // cross its other edges. The bottom edge is the next row that is mostly outline.
    const int boxTop = y - 1;
    int right = left;
    while (GetPixel(dc, right + 1, boxTop) == outline) {
        ++right;
    }
    EXPECT_GT(right - left, 10);
    int boxBottom = boxTop + 1;
    for (; boxBottom < bottom; ++boxBottom) {
        int edge = 0;
        for (int x = left; x <= right; ++x) {
            edge += GetPixel(dc, x, boxBottom) == outline ? 1 : 0;
        }
        if (2 * edge > right - left) {
            break;
        }
    }
    EXPECT_EQ(list.renderer().getLineHeight() + 1, boxBottom - boxTop);
    int filled = 0, inside = 0, wrong = 0;
    for (int by = boxTop; by <= boxBottom; ++by) {
        for (int bx = left; bx <= right; ++bx) {
            const COLORREF c = GetPixel(dc, bx, by);
            const bool edge = by == boxTop || by == boxBottom || bx == left || bx == right;
            wrong += c == (edge ? outline : fill) || c == RGB(0, 0, 0) ? 0 : 1;
            inside += edge ? 0 : 1;
            filled += c == fill ? 1 : 0;
        }
    }
    EXPECT_EQ(0, wrong);
    EXPECT_GT(2 * filled, inside);

    // Item 0 is the selected focus: its header band and its white body, tinted.
    const int bodyY = 2 + list.renderer().getItemHeight(0) - 5;
    const COLORREF focusedBody = GetPixel(dc, 8, bodyY);
    EXPECT_TRUE(closeTo(RGB(200, 219, 251), GetPixel(dc, 8, 5)));
    EXPECT_TRUE(closeTo(RGB(248, 250, 254), focusedBody));
    SetFocus(host.getHandle());
    canvas = printed();
    const COLORREF unfocusedBody = GetPixel(canvas->getHandle(), 8, bodyY);
    EXPECT_TRUE(closeTo(RGB(201, 220, 251), GetPixel(canvas->getHandle(), 8, 5)));
    EXPECT_TRUE(closeTo(RGB(250, 251, 254), unfocusedBody));
    // Rounding cannot hide the two alphas on the red channel, which blends 0 into 255.
    EXPECT_LT(static_cast<int>(GetRValue(focusedBody)), static_cast<int>(GetRValue(unfocusedBody)));
}

// From a sliver to a full-HD width, over notes of a hundred lines each shown whole with a
// highlight on every line, at the top and at the end, and with nothing to show.
TEST_F(NotesListTest, NarrowWideAndEmptyListsPaintWithoutAnError) {
    ReportRecorder reports;
    MessageBoxWatcher watcher;
    for (int i = 0; i < 4; ++i) {
        std::wstring text = L"A hundred lines";
        for (int line = 1; line < 100; ++line) {
            text += L"\nline " + std::to_wstring(line) + L" of a hundred";
        }
        notebook->addNote(Note(text, L"", L"", Note::now()));
    }
    notebook->view().setFilter(std::make_unique<app::model::TextFilter>(app::model::TextFilter::Text, L"hundred"));
    ASSERT_EQ(4, notebook->view().count());
    list.setBounds(0, 0, 30, 300, true);
    UpdateWindow(list.getHandle());
    printed();
    list.setBounds(0, 0, 1920, 300, true);
    list.setMaxDisplayedLines(100);
    EXPECT_EQ(100, list.renderer().getBodyLines(0, 0).last);
    UpdateWindow(list.getHandle());
    printed();
    press(VK_END);
    UpdateWindow(list.getHandle());
    printed();

    list.setBounds(0, 0, 400, 300, true);
    notebook->view().setFilter(std::make_unique<app::model::TextFilter>(app::model::TextFilter::All, L"no such"));
    EXPECT_EQ(0, notebook->view().count());
    UpdateWindow(list.getHandle());
    EXPECT_GT(emptyTextPixels(*printed()), 0);
    pumpFor(50);
    EXPECT_TRUE(watcher.boxes().empty());
    EXPECT_TRUE(reports.all().empty());
}

// Emptying the view leaves nothing selected and hands the keyboard focus on; the notes that
// come back are taken up from the top, in sight, as by a new list. Deleting every note does
// the same, and the first note added is the focus.
TEST_F(NotesListTest, AViewThatEmptiesAndFillsAgain) {
    ui::controls::Edit edit(&host);
    edit.create();
    edit.setBounds(0, 310, 100, 20, true);
    const HWND next = edit.getHandle();
    int deletes = 0, copies = 0;
    list.deleteRequested.connect([&] { ++deletes; });
    list.copyRequested.connect([&] { ++copies; });
    list.setFocusIndex(280, SelectionMode::single);
    ASSERT_TRUE(list.hasFocus());

    notebook->view().setFilter(std::make_unique<app::model::TextFilter>(app::model::TextFilter::All, L"no such"));
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(next, GetFocus());
    const int notFound = emptyTextPixels(*printed());
    EXPECT_GT(notFound, 0);
    // Clicked and typed at while empty: no note is asked for and nothing is selected.
    SendMessageW(list.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_TRUE(list.hasFocus());
    for (const int key : {VK_DOWN, VK_END, VK_NEXT, VK_PRIOR, VK_RIGHT, VK_DELETE}) {
        press(key);
    }
    press(VK_SPACE, false, true);
    press('A', false, true);
    press('C', false, true);
    EXPECT_EQ(0, deletes);
    EXPECT_EQ(0, copies);
    EXPECT_TRUE(selected().empty());

    notebook->view().setFilter(nullptr);
    EXPECT_EQ(0, list.getFocus());
    EXPECT_EQ((std::set<int>{0}), selected());
    EXPECT_TRUE(list.scroller().geometry().topOf(list.getFocus()).has_value());
    press(VK_DELETE);
    EXPECT_EQ(1, deletes);

    list.setFocusIndex(120, SelectionMode::single);
    notebook->view().deleteAll();
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(next, GetFocus());
    // The empty notebook's text is longer than the nothing-found one.
    EXPECT_GT(emptyTextPixels(*printed()), notFound);
    notebook->addNote(Note(L"the first again", L"", L"", Note::now()));
    EXPECT_EQ(0, list.getFocus());
    EXPECT_EQ((std::set<int>{0}), selected());
}

TEST_F(NotesListTest, AfterAnAnimatedScrollTheScreenEqualsAFreshPaint) {
    list.scroller().scrollLines(3);
    ASSERT_TRUE(testing_support::pumpUntil([&] { return !list.scroller().isAnimating(); }, 3000));
    UpdateWindow(list.getHandle());
    pumpFor(50);
    auto fresh = printed();
    RECT client;
    GetClientRect(list.getHandle(), &client);
    HDC window = GetDC(list.getHandle());
    int differences = 0;
    for (int y = 0; y < client.bottom; y += 3) {
        for (int x = 0; x < client.right; x += 3) {
            differences += GetPixel(window, x, y) != GetPixel(fresh->getHandle(), x, y) ? 1 : 0;
        }
    }
    ReleaseDC(list.getHandle(), window);
    EXPECT_EQ(0, differences);
}

namespace {

// A notebook that shows every part of an item: a link, tags, a long title, a note with
// more lines than are shown, and text where the search runs over a wrapped line.
std::unique_ptr<app::model::Notebook> showcase() {
    app::model::Notebook::Notes notes;
    const auto add = [&](const std::wstring& text, const std::wstring& title) {
        notes.emplace_back(text, L"", title, Note::now());
        return &notes.back();
    };
    std::wstring word;
    for (int i = 0; i < 45; ++i) {
        word += L"note";
    }
    add(L"Meeting notes: the budget review moves to Thursday. " + word, L"Budget review")
        ->setLink(L"http://example.com/budget");
    add(L"A note with tags and a budget line.", L"Tagged note")->setTags(L"budget work");
    add(L"Short text of a note.",
        L"A very long title that cannot fit into the header band of the item and ends with an ellipsis");
    std::wstring lines;
    for (int i = 1; i <= 22; ++i) {
        lines += L"Line " + std::to_wstring(i) + L" of a long note\n";
    }
    add(lines, L"Twenty-two lines");
    add(L"Another budget note.", L"Plain");
    return std::make_unique<app::model::Notebook>(std::move(notes));
}

}  // namespace

// Writes pictures for a person to look at: visual-noteslist.png (link icon, tags band, a
// highlight across a wrapped line, an ellipsised title, a multiple selection with the
// focus, the indicators), visual-noteslist-themes.png (the eight themes side by side) and
// visual-noteslist-empty.png (the two empty-list texts).
TEST(NotesListVisual, Pictures) {
    ControlHost host;
    SetWindowPos(host.getHandle(), HWND_TOP, 0, 0, 1250, 790, SWP_NOACTIVATE);
    pumpFor(50);

    auto notebook = showcase();
    NotesList list(&host, notebook->view());
    list.create();
    list.setBounds(0, 0, 460, 700, true);
    list.setBaseColor(themes::blue);
    list.focus();
    // Every note holds "note"; in the long word of the first one some matches run over
    // the place where the word is wrapped.
    notebook->view().setFilter(std::make_unique<app::model::TextFilter>(app::model::TextFilter::All, L"note"));
    list.setFocusIndex(0, SelectionMode::single);
    list.setFocusIndex(1, SelectionMode::selectAndMove);
    list.setFocusIndex(3, SelectionMode::moveOnly);
    SendMessageW(list.getHandle(), WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageW(list.getHandle(), WM_KEYDOWN, VK_RIGHT, 1);
    UpdateWindow(list.getHandle());
    pumpFor(100);
    EXPECT_TRUE(testing_support::ScreenCapture(windowRect(list.getHandle())).savePng(L"visual-noteslist.png"));
    list.destroy();

    const app::ColorRef bases[] = {themes::red,  themes::orange, themes::yellow, themes::green,
                                   themes::cyan, themes::blue,   themes::purple, themes::gray};
    auto themed = showcase();
    std::vector<std::unique_ptr<NotesList>> sheet;
    for (int i = 0; i < 8; ++i) {
        sheet.push_back(std::make_unique<NotesList>(&host, themed->view()));
        sheet.back()->create();
        sheet.back()->setBounds((i % 4) * 305, (i / 4) * 375, 300, 370, true);
        sheet.back()->setBaseColor(bases[i]);
        sheet.back()->setFocusIndex(1, SelectionMode::single);
    }
    pumpFor(150);
    RECT all = windowRect(sheet.front()->getHandle());
    all.right = all.left + 4 * 305;
    all.bottom = all.top + 2 * 375;
    EXPECT_TRUE(testing_support::ScreenCapture(all).savePng(L"visual-noteslist-themes.png"));
    for (auto& one : sheet) {
        one->destroy();
    }

    app::model::Notebook empty;
    auto hidden = showcase();
    hidden->view().setFilter(std::make_unique<app::model::TextFilter>(app::model::TextFilter::All, L"nothing like it"));
    NotesList none(&host, empty.view());
    NotesList filtered(&host, hidden->view());
    none.create();
    filtered.create();
    none.setBounds(0, 0, 400, 250, true);
    filtered.setBounds(410, 0, 400, 250, true);
    pumpFor(150);
    RECT both = windowRect(none.getHandle());
    both.right = both.left + 810;
    EXPECT_TRUE(testing_support::ScreenCapture(both).savePng(L"visual-noteslist-empty.png"));
}
