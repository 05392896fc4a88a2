#include "app/mainframe/noteslist/scrollcontroller/ListController.hpp"
#include "app/mainframe/noteslist/scrollcontroller/ScrollAnimation.hpp"
#include "err/Exceptions.hpp"

#include "MessageOf.hpp"
#include "ui/scroll/WheelAccumulator.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using app::mainframe::noteslist::scrollcontroller::ListController;
using app::mainframe::noteslist::scrollcontroller::Position;
using app::mainframe::noteslist::scrollcontroller::ScrollAnimation;
using testing_support::messageOf;
using ui::scroll::WheelAccumulator;

namespace app::mainframe::noteslist::scrollcontroller {

std::ostream& operator<<(std::ostream& out, const Position& p) {
    return out << "(" << p.item << ", " << p.offset << ")";
}

}  // namespace app::mainframe::noteslist::scrollcontroller

namespace {

// Items of varied heights that count how often their height is asked.
struct Items {
    explicit Items(int n) : heights(static_cast<std::size_t>(n)) {
        for (int i = 0; i < n; ++i) {
            heights[static_cast<std::size_t>(i)] = 40 + (i * 37) % 200;
        }
    }

    ListController controller() {
        return ListController(
            [this](int i) {
                ++asked;
                return heights.at(static_cast<std::size_t>(i));
            },
            [this] { return static_cast<int>(heights.size()); });
    }

    // The whole list as rows, for checking small lists against plain arithmetic.
    long long rowOf(const Position& p) const {
        long long row = p.offset;
        for (int i = 0; i < p.item; ++i) {
            row += heights[static_cast<std::size_t>(i)];
        }
        return row;
    }
    long long total() const {
        long long sum = 0;
        for (int h : heights) {
            sum += h;
        }
        return sum;
    }
    Position positionOf(long long row) const {
        Position p;
        while (row >= heights[static_cast<std::size_t>(p.item)]) {
            row -= heights[static_cast<std::size_t>(p.item)];
            ++p.item;
        }
        p.offset = static_cast<int>(row);
        return p;
    }

    std::vector<int> heights;
    int asked = 0;
};

}  // namespace

TEST(ListController, Preconditions) {
    const std::string prefix = "Precondition failed:\napp::mainframe::noteslist::scrollcontroller::ListController::";
    EXPECT_EQ(prefix + "ListController\nih != 0", messageOf([] { ListController(nullptr, [] { return 0; }); }));
    EXPECT_EQ(prefix + "ListController\nic != 0", messageOf([] { ListController([](int) { return 1; }, nullptr); }));
    ListController empty([](int) { return 10; }, [] { return 0; });
    EXPECT_EQ(prefix + "setHeight\nh >= 0", messageOf([&] { empty.setHeight(-1); }));
    EXPECT_THROW(empty.setHeight(-1), err::InvalidArgumentException);
}

TEST(ListController, EmptyAndShortLists) {
    ListController empty([](int) { return 10; }, [] { return 0; });
    empty.setHeight(300);
    empty.scrollBy(500);
    EXPECT_EQ(Position{}, empty.getPosition());
    EXPECT_EQ(-1, empty.itemAt(5).index);
    EXPECT_FALSE(empty.topOf(0));
    const ListController::ScrollBar bar = empty.getScrollBar();
    EXPECT_EQ(0, bar.maximum);
    EXPECT_EQ(1, bar.page);
    EXPECT_EQ(0, bar.position);

    // Shorter than the viewport: the maximum is the top, and nothing scrolls.
    ListController shortList([](int) { return 50; }, [] { return 3; });
    shortList.setHeight(300);
    EXPECT_EQ(Position{}, shortList.getMaximumPosition());
    shortList.scrollBy(100);
    EXPECT_EQ(Position{}, shortList.getPosition());
    EXPECT_EQ((Position{2, 49}), shortList.getEndPosition());
}

// Normalising and scrolling agree with plain row arithmetic over the whole list, with and
// without the shortcut that a known minimum item height allows.
class ListControllerRows : public testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(MinimumItemHeight, ListControllerRows, testing::Values(0, 1, 40));

TEST_P(ListControllerRows, PositionsMatchRowArithmetic) {
    Items items(30);
    ListController list = items.controller();
    list.setMinimumItemHeight(GetParam());
    list.setHeight(333);
    const long long total = items.total();
    const Position maximum = items.positionOf(total - 333);
    EXPECT_EQ(maximum, list.getMaximumPosition());
    EXPECT_EQ(items.positionOf(total - 1), list.getEndPosition());
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        const int item = static_cast<int>(random() % 36) - 3;
        const int offset = static_cast<int>(random() % 3000) - 1500;
        long long row = 0;
        if (item > 29) {
            row = total - 1;
        } else if (item >= 0) {
            row = std::clamp(items.rowOf(Position{item, 0}) + offset, 0LL, total - 1);
        }
        ASSERT_EQ(items.positionOf(row), list.normalise(item, offset)) << item << ", " << offset;

        list.scrollTo(item, offset);
        ASSERT_EQ(items.positionOf(std::min(row, total - 333)), list.getPosition()) << item << ", " << offset;
        const long long top = items.rowOf(list.getPosition());
        EXPECT_EQ(items.positionOf(std::min(top + 332, total - 1)), list.getBottomPosition());

        // The hit test: a row belongs to the item whose rows hold it, its first row included.
        const int y = static_cast<int>(random() % 333);
        const ListController::Hit hit = list.itemAt(y);
        const Position under = items.positionOf(top + y);
        ASSERT_EQ(under.item, hit.index) << "y " << y;
        EXPECT_EQ(y - under.offset, hit.top);
    }
}

TEST(ListController, HitTestOnAnItemsFirstRow) {
    ListController list([](int) { return 50; }, [] { return 10; });
    list.setHeight(200);
    EXPECT_EQ(0, list.itemAt(49).index);
    EXPECT_EQ(1, list.itemAt(50).index);
    EXPECT_EQ(50, list.itemAt(50).top);
    list.scrollTo(9, 0);  // clamped to the maximum: 10 x 50 - 200
    EXPECT_EQ((Position{6, 0}), list.getPosition());
    EXPECT_EQ(9, list.itemAt(199).index);
    EXPECT_EQ(-1, list.itemAt(200).index);
}

// A top of -1 is a real place (one row above the viewport), not "not visible".
TEST(ListController, TopOfKeepsVisibilityApartFromY) {
    ListController list([](int) { return 50; }, [] { return 10; });
    list.setHeight(120);
    list.scrollTo(3, 1);
    EXPECT_EQ(-1, list.topOf(3).value_or(-999));
    EXPECT_FALSE(list.topOf(2));
    EXPECT_EQ(99, list.topOf(5).value_or(-999));
    EXPECT_FALSE(list.topOf(6));  // 149: below the viewport
    EXPECT_FALSE(list.topOf(10));
    list.scrollTo(3, 0);
    EXPECT_EQ(0, list.topOf(3).value_or(-999));
}

TEST_P(ListControllerRows, DistanceToRevealAndPlacingDirectly) {
    Items items(30);
    ListController list = items.controller();
    list.setMinimumItemHeight(GetParam());
    list.setHeight(300);
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        list.scrollTo(static_cast<int>(random() % 30), static_cast<int>(random() % 200));
        const int i = static_cast<int>(random() % 30);
        const Position from = list.getPosition();
        const long long top = items.rowOf(from);
        const long long start = items.rowOf(Position{i, 0});
        const long long end = start + items.heights[static_cast<std::size_t>(i)] - 1;
        long long expected = 0;
        if (start < top) {
            expected = start - top;
        } else if (top + 299 < end) {
            expected = end - (top + 299);
        }
        ASSERT_EQ(expected, list.distanceToReveal(i, 100000).value_or(-999999)) << from << " " << i;
        // Past the limit there is no answer rather than a long walk.
        if (std::abs(expected) > 100) {
            EXPECT_FALSE(list.distanceToReveal(i, 100));
        }
        // Placing directly lands where scrolling by the distance and a margin would.
        if (expected != 0) {
            const int margin = 16;
            ListController scrolled = items.controller();
            scrolled.setMinimumItemHeight(GetParam());
            scrolled.setHeight(300);
            scrolled.scrollTo(from);
            scrolled.scrollBy(static_cast<int>(expected) + (expected < 0 ? -margin : margin));
            ASSERT_EQ(scrolled.getPosition(), list.revealPosition(i, margin)) << from << " " << i;
        }
    }
}

TEST(ListController, PagesAndFractions) {
    ListController list([](int) { return 100; }, [] { return 50; });
    list.setHeight(350);
    // From the first visible item Page Down goes to the last visible one, then a viewport on.
    EXPECT_EQ(3, list.pageDown(0));
    EXPECT_EQ(6, list.pageDown(3));
    EXPECT_EQ(0, list.pageUp(3));
    EXPECT_EQ(4, list.pageUp(8));  // normalise(8, -350) = (4, 50)
    list.setFraction(10.25);
    EXPECT_EQ((Position{10, 25}), list.getPosition());
    EXPECT_DOUBLE_EQ(10.25, list.getFraction(list.getPosition()));
    list.setFraction(1e9);
    EXPECT_EQ(list.getMaximumPosition(), list.getPosition());
    list.setFraction(-3);
    EXPECT_EQ(Position{}, list.getPosition());

    // Scroll bar: 100 units an item, the page the visible part, the end flush at the bottom.
    ListController::ScrollBar bar = list.getScrollBar();
    EXPECT_EQ(5000, bar.maximum);
    EXPECT_EQ(1 + 349, bar.page);
    EXPECT_EQ(0, bar.position);
    list.scrollTo(20, 50);
    EXPECT_EQ(2050, list.getScrollBar().position);
    list.scrollTo(list.getEndPosition());
    bar = list.getScrollBar();
    EXPECT_EQ(bar.maximum - bar.page + 1, bar.position);
    // A viewport that grows clamps the position to the new maximum.
    list.setHeight(600);
    EXPECT_EQ((Position{44, 0}), list.getPosition());
}

// At 100,000 items no operation may walk the list: each asks for the heights of a few
// viewports of items at most (a viewport of 800 rows holds up to 22 items here).
TEST(ListController, OperationsAt100000ItemsTouchAFewViewports) {
    Items items(100000);
    ListController list = items.controller();
    list.setHeight(800);
    const int bound = 5 * 22;
    const auto touches = [&](const char* what, const std::function<void()>& operation) {
        items.asked = 0;
        operation();
        EXPECT_LE(items.asked, bound) << what;
    };
    touches("maximum", [&] { list.getMaximumPosition(); });
    touches("scroll to the end", [&] { list.scrollTo(list.getEndPosition()); });
    touches("scroll bar at the end", [&] { list.getScrollBar(); });
    touches("fraction", [&] { list.setFraction(61234.5); });
    touches("scroll by a page", [&] { list.scrollBy(800); });
    touches("scroll by lines", [&] { list.scrollBy(-240); });
    touches("hit test", [&] { list.itemAt(799); });
    touches("top of", [&] { list.topOf(61240); });
    touches("far reveal below", [&] { EXPECT_FALSE(list.distanceToReveal(99990, 1600)); });
    touches("far reveal above", [&] { EXPECT_FALSE(list.distanceToReveal(3, 1600)); });
    touches("place below", [&] { list.scrollTo(list.revealPosition(99000, 16)); });
    // The item's last row and the 16-row margin below it are in view.
    EXPECT_EQ(99001, list.getBottomPosition().item);
    EXPECT_EQ(15, list.getBottomPosition().offset);
    touches("place above", [&] { list.scrollTo(list.revealPosition(5, 16)); });
    EXPECT_EQ(4, list.getPosition().item);
    touches("page down", [&] { list.pageDown(40000); });
    touches("page up", [&] { list.pageUp(40000); });
    touches("clamp", [&] { list.clampToMaximum(); });
    touches("viewport height", [&] { list.setHeight(700); });
    touches("scroll bar", [&] { list.getScrollBar(); });

    // Knowing that no item is below 40 rows, a scroll in the middle of the list need not
    // look at the end of it: one walk over the pixels scrolled.
    list.setMinimumItemHeight(40);
    list.setFraction(50000);
    const ListController::ScrollBar range = list.getScrollRange();  // once per view or size change
    items.asked = 0;
    list.scrollBy(40);
    list.getScrollPosition(range);
    EXPECT_LE(items.asked, 4);
    items.asked = 0;
    list.setHeight(800);
    EXPECT_LE(items.asked, 1);
}

TEST(ScrollAnimation, StepsAddUpToTheDistance) {
    for (int d : {36, 37, 41, -100, 240, -240, 6, 7, 1000, -6}) {
        ScrollAnimation animation;
        EXPECT_EQ(0, animation.start(d, false));
        int sum = 0;
        int ticks = 0;
        for (;;) {
            const ScrollAnimation::Tick tick = animation.tick();
            sum += tick.pixels;
            ++ticks;
            ASSERT_LE(std::abs(tick.pixels), std::abs(d / 6) + 0) << d;
            if (tick.finished) {
                break;
            }
            ASSERT_LT(ticks, 100) << d;
        }
        EXPECT_EQ(d, sum);
        if (std::abs(d) >= 36) {
            EXPECT_EQ(7, ticks) << d;
        }
        EXPECT_FALSE(animation.running());
    }
}

TEST(ScrollAnimation, ShortRequestsApplyAtOnceAndNotchesAddUp) {
    ScrollAnimation animation;
    // A sixth of 5 is no pixel: applied at once instead of never finishing.
    EXPECT_EQ(5, animation.start(5, false));
    EXPECT_FALSE(animation.running());
    EXPECT_EQ(-3, animation.start(-3, true));

    // A second notch before the first is done adds to what is left.
    EXPECT_EQ(0, animation.start(240, true));
    int applied = animation.tick().pixels + animation.tick().pixels;
    EXPECT_EQ(80, applied);
    EXPECT_EQ(0, animation.start(240, true));
    EXPECT_EQ(400, animation.remaining());
    while (animation.running()) {
        applied += animation.tick().pixels;
    }
    EXPECT_EQ(480, applied);

    // The other way, or a distance measured from here, replaces the rest.
    animation.start(240, true);
    animation.tick();
    animation.start(-120, true);
    EXPECT_EQ(-120, animation.remaining());
    animation.start(300, false);
    animation.tick();
    animation.start(60, false);
    EXPECT_EQ(60, animation.remaining());
    animation.cancel();
    EXPECT_FALSE(animation.running());
    // A tick that arrives after the end finds nothing to do.
    const ScrollAnimation::Tick late = animation.tick();
    EXPECT_EQ(0, late.pixels);
    EXPECT_TRUE(late.finished);
}

TEST(WheelAccumulator, NotchesAndRemainders) {
    WheelAccumulator wheel;
    // Half a notch does nothing yet; the second half scrolls one notch: (3 + 1) x 1.5 lines up.
    EXPECT_EQ(0, wheel.add(60, 3).lines);
    EXPECT_EQ(-6, wheel.add(60, 3).lines);
    EXPECT_EQ(0, wheel.accumulated());
    EXPECT_EQ(6, wheel.add(-120, 3).lines);
    EXPECT_EQ(-12, wheel.add(240, 3).lines);
    EXPECT_EQ(-3, wheel.add(120, 1).lines);
    EXPECT_EQ(-4, wheel.add(120, 2).lines);  // 4.5, truncated
    EXPECT_EQ(-6, wheel.add(150, 3).lines);
    EXPECT_EQ(30, wheel.accumulated());
    // No scrolling at 0 lines, and nothing kept for later.
    wheel.reset();
    const WheelAccumulator::Scroll none = wheel.add(120, 0);
    EXPECT_EQ(0, none.lines);
    EXPECT_EQ(0, none.pages);
    EXPECT_EQ(0, wheel.accumulated());
    // The page setting scrolls a page per notch.
    const WheelAccumulator::Scroll pages = wheel.add(-240, WheelAccumulator::pageScroll);
    EXPECT_EQ(0, pages.lines);
    EXPECT_EQ(2, pages.pages);
}
