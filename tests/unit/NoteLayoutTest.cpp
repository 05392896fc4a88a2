#include "app/mainframe/noteslist/NoteLayout.hpp"
#include "app/mainframe/noteslist/noterenderer/HiliteManager.hpp"
#include "err/Exceptions.hpp"

#include "MessageOf.hpp"
#include "NotesListSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

using app::mainframe::noteslist::BodyLines;
using app::mainframe::noteslist::NoteLayout;
using app::mainframe::noteslist::noterenderer::CharacterWidths;
using app::mainframe::noteslist::noterenderer::HiliteManager;
using app::mainframe::noteslist::noterenderer::LineBreaker;
using noteslist_test::CountingMeasure;
using noteslist_test::VectorView;
using testing::ElementsAre;
using testing::IsEmpty;
using testing_support::messageOf;

namespace {

std::wstring linesOfText(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text += (i ? L"\n" : L"") + std::to_wstring(i);
    }
    return text;
}

// Characters 10 pixels wide, lines 13 high, a header text of 14 (band 24), tags band 19,
// and items 131 wide, so that the text is broken at 100 pixels: 10 characters a line.
class NoteLayoutTest : public testing::Test {
protected:
    NoteLayoutTest() {
        layout.setHeaderTextHeight(14);
        layout.setTagsBandHeight(19);
        layout.setWidth(131);
    }

    VectorView view;
    std::shared_ptr<CountingMeasure> measure = std::make_shared<CountingMeasure>(10, 13);
    NoteLayout layout{view, measure};
};

}  // namespace

// base = header band 24 + 13; the body is lines x 13 + base, between base + 4 and
// 15 x 13 + base + 4; a note with tags adds the tags band.
TEST_F(NoteLayoutTest, ItemHeights) {
    view.add(L"");
    view.add(std::wstring(25, L'a'));
    view.add(linesOfText(40));
    view.add(std::wstring(25, L'a'), L"one two");
    view.add(linesOfText(15));
    EXPECT_EQ(13 + 37, layout.getItemHeight(0));  // one empty line
    EXPECT_EQ(3 * 13 + 37, layout.getItemHeight(1));
    EXPECT_EQ(15 * 13 + 37 + 4, layout.getItemHeight(2));
    EXPECT_EQ(3 * 13 + 37 + 19, layout.getItemHeight(3));
    EXPECT_EQ(15 * 13 + 37, layout.getItemHeight(4));
    for (int lines : {0, 1, 15}) {
        layout.setMaxDisplayedLines(lines);
        for (int i = 0; i < view.count(); ++i) {
            EXPECT_LE(layout.getMinimumItemHeight(), layout.getItemHeight(i)) << lines << " " << i;
        }
    }
    layout.setMaxDisplayedLines(15);

    // No body lines: the header band and 4, whatever the text.
    layout.setMaxDisplayedLines(0);
    EXPECT_EQ(24 + 4, layout.getItemHeight(1));
    EXPECT_EQ(24 + 4 + 19, layout.getItemHeight(3));
    layout.setMaxDisplayedLines(1000);
    EXPECT_EQ(100, layout.getMaxDisplayedLines());
    layout.setMaxDisplayedLines(2);
    EXPECT_EQ(2 * 13 + 37 + 4, layout.getItemHeight(1));
}

TEST_F(NoteLayoutTest, LongTextsTakeTheMaximumUnbroken) {
    // Past 400 code units per displayable line the text is not broken at all.
    view.add(std::wstring(15 * 400 + 1, L'x'));
    view.add(std::wstring(15 * 400, L'y'));
    EXPECT_EQ(15 * 13 + 37 + 4, layout.getItemHeight(0));
    EXPECT_EQ(0u, layout.formatter().cachedBreakers());
    EXPECT_EQ(0, measure->asked[L'x']);
    EXPECT_EQ(15 * 13 + 37 + 4, layout.getItemHeight(1));
    EXPECT_EQ(1u, layout.formatter().cachedBreakers());
}

TEST_F(NoteLayoutTest, ChangesThatMovePixelsClearTheCaches) {
    view.add(std::wstring(25, L'a'));
    const auto breaker = layout.formatter().getLineBreaker(0);
    EXPECT_EQ(76, layout.getItemHeight(0));
    layout.setWidth(131);
    EXPECT_EQ(breaker, layout.formatter().getLineBreaker(0));
    // The cached height is what the note had when measured, until the caches go.
    view.notes[0].setText(std::wstring(5, L'a'));
    EXPECT_EQ(76, layout.getItemHeight(0));
    layout.forget(0);
    EXPECT_EQ(50, layout.getItemHeight(0));

    layout.setWidth(132);
    EXPECT_NE(breaker, layout.formatter().getLineBreaker(0));
    EXPECT_EQ(101, layout.formatter().getWidth());
    // The text is never formatted narrower than 10 pixels, however narrow the list.
    layout.setWidth(30);
    EXPECT_EQ(10, layout.formatter().getWidth());
    layout.setWidth(0);
    EXPECT_EQ(10, layout.formatter().getWidth());
    EXPECT_GT(layout.getItemHeight(0), 0);

    view.notes[0].setText(std::wstring(25, L'a'));
    layout.setWidth(131);
    EXPECT_EQ(76, layout.getItemHeight(0));
    layout.setHeaderTextHeight(20);
    EXPECT_EQ(82, layout.getItemHeight(0));
    layout.setTextMeasure(std::make_shared<CountingMeasure>(20, 10));
    EXPECT_EQ(5 * 10 + 43, layout.getItemHeight(0));
}

TEST_F(NoteLayoutTest, BodyLinesFollowTheTextScrollOffset) {
    view.add(linesOfText(20));
    view.add(linesOfText(3));
    BodyLines lines = layout.getBodyLines(0, 0);
    EXPECT_EQ(0, lines.first);
    EXPECT_EQ(15, lines.last);
    EXPECT_TRUE(lines.hidden);
    EXPECT_TRUE(lines.below);
    lines = layout.getBodyLines(0, 3);
    EXPECT_EQ(3, lines.first);
    EXPECT_EQ(18, lines.last);
    EXPECT_TRUE(lines.below);
    lines = layout.getBodyLines(0, 5);
    EXPECT_EQ(5, lines.first);
    EXPECT_EQ(20, lines.last);
    EXPECT_FALSE(lines.below);
    // An offset past the end (left from a wider list) shows the last page and says so.
    lines = layout.getBodyLines(0, 9);
    EXPECT_EQ(5, lines.first);
    EXPECT_EQ(5, lines.offset);
    lines = layout.getBodyLines(1, 2);
    EXPECT_EQ(0, lines.first);
    EXPECT_EQ(3, lines.last);
    EXPECT_FALSE(lines.hidden);
    layout.setMaxDisplayedLines(0);
    lines = layout.getBodyLines(0, 2);
    EXPECT_EQ(0, lines.last);
}

TEST_F(NoteLayoutTest, BodyLinesOfAHugeNoteBreakOnlyWhatIsShown) {
    view.add(linesOfText(100000) + L"Z");
    const BodyLines lines = layout.getBodyLines(0, 10);
    EXPECT_EQ(10, lines.first);
    EXPECT_EQ(25, lines.last);
    EXPECT_TRUE(lines.below);
    EXPECT_EQ(0, measure->asked[L'Z']);
}

namespace {

// 10 pixels a character, less one for each pair of neighbours (kerning): measuring a
// substring whole differs from adding up its characters.
int kerned(const wchar_t*, int length) {
    return length <= 0 ? 0 : 10 * length - (length - 1);
}

std::shared_ptr<CharacterWidths> unitWidths() {
    return std::make_shared<CharacterWidths>([](char32_t) { return 1; });
}

using PxRange = HiliteManager::PxRange;

}  // namespace

TEST(HiliteManager, MatchesDoNotOverlap) {
    using Range = HiliteManager::Range;
    EXPECT_THAT(HiliteManager::findMatches(L"aaa", L"aa"), ElementsAre(Range(0, 2)));
    EXPECT_THAT(HiliteManager::findMatches(L"aaaa", L"aa"), ElementsAre(Range(0, 2), Range(2, 4)));
    EXPECT_THAT(HiliteManager::findMatches(L"abc", L"x"), IsEmpty());
}

TEST(HiliteManager, SingleLineRangesAreMeasuredWhole) {
    HiliteManager manager(kerned);
    // (6, 11): left = the width of the first 6 characters (55), right = left + the width of 5 (46).
    EXPECT_THAT(manager.calcLinePxHiliteRanges(L"Hello Hello", L"hello hello", L"hello"),
                ElementsAre(PxRange(0, 46), PxRange(55, 101)));
}

// "hello world again" at 6 characters a line: "hello" (0-5), "world" (6-11), "again" (12-17).
TEST(HiliteManager, MatchesSplitOverLines) {
    const std::wstring text = L"hello world again";
    LineBreaker breaker(text, 6, unitWidths());
    HiliteManager manager(kerned);

    auto lines = manager.calcPxHiliteRanges(text, L"lo wor", breaker, 0, -1);
    ASSERT_EQ(3u, lines.size());
    EXPECT_THAT(lines[0], ElementsAre(PxRange(28, 47)));
    EXPECT_THAT(lines[1], ElementsAre(PxRange(0, 28)));
    EXPECT_THAT(lines[2], IsEmpty());

    // Across three lines, the middle one boxed whole.
    lines = manager.calcPxHiliteRanges(text, L"llo world ag", breaker, 0, -1);
    EXPECT_THAT(lines[0], ElementsAre(PxRange(19, 47)));
    EXPECT_THAT(lines[1], ElementsAre(PxRange(0, 46)));
    EXPECT_THAT(lines[2], ElementsAre(PxRange(0, 19)));

    // A match that starts on the consumed space gets no empty box at the end of "hello",
    // and one that ends where "world" begins gets none at that line's start.
    lines = manager.calcPxHiliteRanges(text, L" world", breaker, 0, -1);
    EXPECT_THAT(lines[0], IsEmpty());
    EXPECT_THAT(lines[1], ElementsAre(PxRange(0, 46)));
    lines = manager.calcPxHiliteRanges(text, L"hello ", breaker, 0, -1);
    EXPECT_THAT(lines[0], ElementsAre(PxRange(0, 46)));
    EXPECT_THAT(lines[1], IsEmpty());

    // Only the lines asked for; those before are present and empty.
    lines = manager.calcPxHiliteRanges(text, L"o", breaker, 1, 2);
    ASSERT_EQ(2u, lines.size());
    EXPECT_THAT(lines[0], IsEmpty());
    EXPECT_THAT(lines[1], ElementsAre(PxRange(10, 20)));
}

TEST(HiliteManager, StopsAfterTheLastVisibleLine) {
    std::wstring text;
    for (int i = 0; i < 5000; ++i) {
        text += L"ab ab ab\n";
    }
    int measured = 0;
    HiliteManager manager([&measured](const wchar_t*, int length) {
        ++measured;
        return length;
    });
    LineBreaker breaker(text, 100, unitWidths());
    const auto& lines = manager.calcPxHiliteRanges(text, L"ab", breaker, 2, 4);
    ASSERT_EQ(4u, lines.size());
    EXPECT_THAT(lines[2], ElementsAre(PxRange(0, 2), PxRange(3, 5), PxRange(6, 8)));
    EXPECT_EQ(3u, lines[3].size());
    // Per line: a box at 0 needs one measure, the other two need two; nothing past line 4.
    EXPECT_EQ(2 * (1 + 2 + 2), measured);
}

TEST(HiliteManager, PreconditionMessages) {
    const std::string multi =
        "Precondition failed:\napp::mainframe::noteslist::noterenderer::HiliteManager::"
        "calcPxHiliteRanges\n";
    const std::string single =
        "Precondition failed:\napp::mainframe::noteslist::noterenderer::HiliteManager::"
        "calcLinePxHiliteRanges\n";
    HiliteManager manager(kerned);
    LineBreaker breaker(L"abc", 5, unitWidths());
    EXPECT_EQ(multi + "!hilite.empty()",
              messageOf<err::InvalidArgumentException>([&] { manager.calcPxHiliteRanges(L"", L"", breaker, 0, -1); }));
    EXPECT_EQ(multi + "!searchable.empty()",
              messageOf<err::InvalidArgumentException>([&] { manager.calcPxHiliteRanges(L"", L"a", breaker, 0, -1); }));
    EXPECT_EQ(multi + "searchable.length() >= hilite.length()", messageOf<err::InvalidArgumentException>([&] {
                  manager.calcPxHiliteRanges(L"a", L"ab", breaker, 0, -1);
              }));
    EXPECT_EQ(multi + "br.getSource().length() == searchable.length()", messageOf<err::InvalidArgumentException>([&] {
                  manager.calcPxHiliteRanges(L"abcd", L"ab", breaker, 0, -1);
              }));
    EXPECT_EQ(single + "!hilite.empty()",
              messageOf<err::InvalidArgumentException>([&] { manager.calcLinePxHiliteRanges(L"", L"", L""); }));
    EXPECT_EQ(single + "!searchable.empty()",
              messageOf<err::InvalidArgumentException>([&] { manager.calcLinePxHiliteRanges(L"", L"", L"a"); }));
    EXPECT_EQ(single + "!source.empty()",
              messageOf<err::InvalidArgumentException>([&] { manager.calcLinePxHiliteRanges(L"", L"a", L"a"); }));
    EXPECT_EQ(single + "searchable.length() >= hilite.length()",
              messageOf<err::InvalidArgumentException>([&] { manager.calcLinePxHiliteRanges(L"a", L"a", L"ab"); }));
    EXPECT_EQ(single + "source.length() == searchable.length()",
              messageOf<err::InvalidArgumentException>([&] { manager.calcLinePxHiliteRanges(L"ab", L"a", L"a"); }));
    EXPECT_EQ("Precondition failed:\napp::mainframe::noteslist::noterenderer::HiliteManager::HiliteManager\nfont",
              messageOf<err::InvalidArgumentException>([] { HiliteManager(nullptr); }));
}
