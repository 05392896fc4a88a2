#include "app/mainframe/noteslist/NoteRenderer.hpp"
#include "app/model/TextFilter.hpp"
#include "gdi/MemoryCanvas.hpp"
#include "gdi/UpdateCanvas.hpp"

#include "unit/NotesListSupport.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using app::mainframe::noteslist::ItemState;
using app::mainframe::noteslist::NoteRenderer;
using app::mainframe::noteslist::Palette;
using app::model::TextFilter;
namespace themes = app::mainframe::noteslist::themes;

namespace {

class FilteredView : public noteslist_test::VectorView {
public:
    const app::model::Filter* filter() const override { return filter_.get(); }
    bool hasFilter() const override { return filter_ != nullptr; }
    std::unique_ptr<TextFilter> filter_;
};

// A 340 x 260 memory canvas in the list's background colour, with one renderer.
class NoteRendererTest : public testing::Test {
protected:
    NoteRendererTest() {
        view.add(L"Plain body text that wraps over more than one line of the item, and zz here too.");
        view.notes[0].setTitle(L"Title of the note");
        renderer.setWidth(300);
        renderer.setBaseColor(themes::blue);
        clear();
    }

    void clear() {
        canvas.setBackgroundColor(renderer.getPalette().background);
        canvas.fillRect(gdi::Rect(0, 0, 340, 260));
    }
    COLORREF at(int x, int y) { return GetPixel(canvas.getHandle(), x, y); }
    int count(COLORREF colour) {
        int n = 0;
        for (int y = 0; y < 260; ++y) {
            for (int x = 0; x < 340; ++x) {
                n += at(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

    FilteredView view;
    NoteRenderer renderer{view};
    gdi::UpdateCanvas screen{nullptr};
    gdi::MemoryCanvas canvas{screen.getHandle(), 340, 260};
};

}  // namespace

TEST_F(NoteRendererTest, FrameHeaderAndBodyInTheThemeColours) {
    renderer.paintItem(canvas, 0, 2, 2, ItemState{}, true);
    const int h = renderer.getItemHeight(0);
    EXPECT_EQ(RGB(180, 180, 180), at(2, 2));
    EXPECT_EQ(RGB(180, 180, 180), at(301, 2 + h - 2));
    EXPECT_EQ(RGB(244, 248, 254), at(4, 4));  // the Blue header band
    EXPECT_EQ(RGB(255, 255, 255), at(5, 2 + h - 4));
    // One row of background between items.
    EXPECT_EQ(renderer.getPalette().background, at(100, 2 + h - 1));

    renderer.setBaseColor(themes::red);
    renderer.paintItem(canvas, 0, 2, 2, ItemState{}, true);
    EXPECT_EQ(RGB(255, 246, 244), at(4, 4));  // the Red header band
}

TEST_F(NoteRendererTest, SelectionTintsAndHighlightsBox) {
    renderer.paintItem(canvas, 0, 2, 2, ItemState{false, true, 0}, true);
    const COLORREF tinted = at(6, 6);
    EXPECT_NE(RGB(244, 248, 254), tinted);
    EXPECT_LT(GetRValue(tinted), 244);

    clear();
    EXPECT_EQ(0, count(renderer.getPalette().hiliteFill));
    view.filter_ = std::make_unique<TextFilter>(TextFilter::Text, L"zz");
    renderer.clear();  // as the list does when its view changes
    renderer.paintItem(canvas, 0, 2, 2, ItemState{}, true);
    EXPECT_GT(count(renderer.getPalette().hiliteFill), 0);
    EXPECT_GT(count(renderer.getPalette().hiliteOutline), 0);
    // A title-only filter leaves the body alone.
    clear();
    view.filter_ = std::make_unique<TextFilter>(TextFilter::Title, L"zz");
    renderer.clear();
    renderer.paintItem(canvas, 0, 2, 2, ItemState{}, true);
    EXPECT_EQ(0, count(renderer.getPalette().hiliteFill));
}

// The look of an item is painted once and then copied: selecting it draws no text again.
TEST_F(NoteRendererTest, ItemLooksAreKeptAsBitmaps) {
    renderer.paintItem(canvas, 0, 2, 2, ItemState{}, true);
    view.notes[0].setTitle(L"Changed behind the renderer's back");
    clear();
    renderer.paintItem(canvas, 0, 2, 2, ItemState{false, true, 0}, true);
    auto shown = [&] {
        int dark = 0;
        for (int x = 10; x < 200; ++x) {
            for (int y = 4; y < 20; ++y) {
                dark += GetRValue(at(x, y)) < 160 ? 1 : 0;
            }
        }
        return dark;
    };
    const int before = shown();
    renderer.forgetBitmap(0);
    clear();
    renderer.paintItem(canvas, 0, 2, 2, ItemState{false, true, 0}, true);
    EXPECT_NE(before, shown());
    // With no room for a bitmap the item is painted directly, the same way.
    renderer.setBitmapBudget(10);
    renderer.clear();
    clear();
    renderer.paintItem(canvas, 0, 2, 2, ItemState{}, true);
    EXPECT_EQ(RGB(244, 248, 254), at(4, 4));
}

// Bitmaps a renderer drops are handed to the next one that needs the room: what they held
// must never show through.
TEST_F(NoteRendererTest, ABitmapAnotherItemLeftShowsNothingOfThatItem) {
    renderer.paintItem(canvas, 0, 2, 2, ItemState{}, true);
    std::vector<COLORREF> painted;
    for (int y = 0; y < 260; ++y) {
        for (int x = 0; x < 340; ++x) {
            painted.push_back(at(x, y));
        }
    }
    FilteredView otherView;
    otherView.add(view.notes[0].text());
    otherView.notes[0].setTitle(L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    otherView.filter_ = std::make_unique<TextFilter>(TextFilter::Text, L"ne");
    NoteRenderer other(otherView);
    other.setWidth(300);
    other.setBaseColor(themes::green);
    ASSERT_EQ(renderer.getItemHeight(0), other.getItemHeight(0));
    for (int round = 0; round < 2; ++round) {
        // Both bitmaps go back, then the other item takes one and returns it painted.
        renderer.clear();
        other.paintItem(canvas, 0, 2, 2, ItemState{}, true);
        other.clear();
        clear();
        renderer.paintItem(canvas, 0, 2, 2, ItemState{}, true);
        int differences = 0;
        for (int y = 0; y < 260; ++y) {
            for (int x = 0; x < 340; ++x) {
                differences += at(x, y) != painted[static_cast<std::size_t>(y * 340 + x)] ? 1 : 0;
            }
        }
        EXPECT_EQ(0, differences) << round;
    }
}

// Body lines are broken to a width 2 pixels wider than the body's content rectangle: a
// line that fills it is drawn whole, as far right as the same text drawn unclipped.
TEST_F(NoteRendererTest, ALineThatFillsTheBreakingWidthIsDrawnWhole) {
    const auto rightmostDark = [this] {
        int right = -1;
        for (int y = 0; y < 260; ++y) {
            for (int x = 0; x < 340; ++x) {
                const COLORREF c = at(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
                    right = std::max(right, x);
                }
            }
        }
        return right;
    };
    canvas.selectFont(renderer.getTextFont());
    const int w = canvas.measureTextExtent(L"#").width;
    const int n = 240 / w;
    view.notes[0].setTitle(L"T");
    view.notes[0].setText(std::wstring(static_cast<std::size_t>(2 * n), L'#'));  // no break opportunity
    renderer.setWidth(n * w + 31);                                               // n characters to a line, exactly
    renderer.paintItem(canvas, 0, 2, 2, ItemState{}, true);
    const int painted = rightmostDark();

    clear();
    canvas.selectFont(renderer.getTextFont());
    canvas.setForegroundColor(0);
    canvas.drawText(gdi::Rect(2 + 1 + 11, 100, 2 + 1 + 11 + 1, 140), std::wstring(static_cast<std::size_t>(n), L'#'),
                    DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    EXPECT_EQ(rightmostDark(), painted);
}

TEST_F(NoteRendererTest, NarrowAndWideListsPaintWithoutErrors) {
    for (int width : {0, 1, 10, 30, 41, 1900}) {
        renderer.setWidth(width);
        EXPECT_NO_THROW(renderer.paintItem(canvas, 0, 2, 2, ItemState{true, true, 3}, true)) << width;
    }
    EXPECT_NO_THROW(renderer.paintEmpty(canvas, gdi::Rect(0, 0, 30, 30), false));
    EXPECT_NO_THROW(renderer.paintEmpty(canvas, gdi::Rect(0, 0, 340, 260), true));
}

TEST_F(NoteRendererTest, IndicatorFollowsTheTextScrollOffset) {
    std::wstring text;
    for (int i = 0; i < 20; ++i) {
        text += L"line\n";
    }
    view.add(text);
    EXPECT_EQ(0, renderer.indicatorIcon(0, 0));
    EXPECT_EQ(136, renderer.indicatorIcon(1, 0));
    EXPECT_EQ(138, renderer.indicatorIcon(1, 2));
    EXPECT_EQ(137, renderer.indicatorIcon(1, 5));
    EXPECT_EQ(137, renderer.indicatorIcon(1, 9));
}
