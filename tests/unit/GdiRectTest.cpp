#include "MessageOf.hpp"
#include "err/Exceptions.hpp"
#include "gdi/Color.hpp"
#include "gdi/Rect.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using gdi::Rect;
using testing_support::messageOf;

TEST(GdiRectChecks, ConstructorRejectsInvertedSidesLeftFirst) {
    EXPECT_EQ("Precondition failed:\ngdi::Rect::Rect\nleft <= right",
              messageOf<err::InvalidArgumentException>([] { Rect(10, 0, 5, 0); }));
    EXPECT_EQ("Precondition failed:\ngdi::Rect::Rect\ntop <= bottom",
              messageOf<err::InvalidArgumentException>([] { Rect(0, 10, 5, 0); }));
    // Both sides inverted: the horizontal check comes first.
    EXPECT_EQ("Precondition failed:\ngdi::Rect::Rect\nleft <= right",
              messageOf<err::InvalidArgumentException>([] { Rect(10, 10, 5, 0); }));
    EXPECT_NO_THROW(Rect(-5, -5, -5, -5));
}

TEST(GdiRectChecks, CopyChecksTheOtherRectangle) {
    Rect target(1, 2, 3, 4);
    Rect wide;
    wide.left = 8;
    wide.right = 2;
    EXPECT_EQ("Precondition failed:\ngdi::Rect::copy\nother.left <= other.right",
              messageOf<err::InvalidArgumentException>([&] { target.copy(wide); }));
    Rect tall;
    tall.top = 8;
    tall.bottom = 2;
    EXPECT_EQ("Precondition failed:\ngdi::Rect::copy\nother.top <= other.bottom",
              messageOf<err::InvalidArgumentException>([&] { target.copy(tall); }));
    EXPECT_EQ(Rect(1, 2, 3, 4), target);

    target.copy(Rect(-1, -2, 7, 9));
    EXPECT_EQ(Rect(-1, -2, 7, 9), target);
}

TEST(GdiRectChecks, WidthAndHeightOfABrokenRectangleAreStateErrors) {
    Rect r(0, 0, 10, 20);
    EXPECT_EQ(10, r.getWidth());
    EXPECT_EQ(20, r.getHeight());
    EXPECT_EQ((gdi::Size{10, 20}), r.getSize());

    r.right = -1;
    EXPECT_EQ("Precondition failed:\ngdi::Rect::getWidth\nleft <= right",
              messageOf<err::InvalidStateException>([&] { r.getWidth(); }));
    EXPECT_EQ(20, r.getHeight());
    EXPECT_THROW(r.getSize(), err::InvalidStateException);
    r.right = 10;
    r.bottom = -1;
    EXPECT_EQ("Precondition failed:\ngdi::Rect::getHeight\ntop <= bottom",
              messageOf<err::InvalidStateException>([&] { r.getHeight(); }));
}

TEST(GdiRectEmptiness, OnlyAPointIsEmpty) {
    EXPECT_TRUE(Rect().isEmpty());
    EXPECT_EQ(Rect(0, 0, 0, 0), Rect());
    EXPECT_FALSE(Rect(0, 0, 0, 20).isEmpty());
    EXPECT_FALSE(Rect(0, 0, 20, 0).isEmpty());

    Rect point(5, 5, 5, 5);
    EXPECT_TRUE(point.isEmpty());
    EXPECT_EQ("Precondition failed:\ngdi::Rect::offset\n!isEmpty()",
              messageOf<err::InvalidStateException>([&] { point.offset(1, 1); }));
    EXPECT_EQ("Precondition failed:\ngdi::Rect::inflate\n!isEmpty()",
              messageOf<err::InvalidStateException>([&] { point.inflate(1, 1); }));
    EXPECT_EQ(Rect(5, 5, 5, 5), point);

    // A line is not empty and moves and grows like any rectangle.
    Rect line(0, 0, 0, 20);
    line.offset(3, -4);
    EXPECT_EQ(Rect(3, -4, 3, 16), line);
    line.inflate(2, 1);
    EXPECT_EQ(Rect(1, -5, 5, 17), line);
    line.inflate(-2, -1);
    EXPECT_EQ(Rect(3, -4, 3, 16), line);
}

TEST(GdiRectDeflate, AmountsThatFitAreTakenAsGiven) {
    Rect r(10, 20, 110, 70);
    r.deflate(1, 2, 3, 4);
    EXPECT_EQ(Rect(11, 22, 107, 66), r);
    // Exactly the width: no scaling, the rectangle collapses to a line.
    r.deflate(90, 0, 6, 0);
    EXPECT_EQ(Rect(101, 22, 101, 66), r);
    // Negative amounts grow the rectangle.
    r.deflate(-1, -2, -3, -4);
    EXPECT_EQ(Rect(100, 20, 104, 70), r);

    // Too large amounts are scaled to the extent.
    Rect scaled(0, 0, 20, 10);
    scaled.deflate(30, 0, 10, 0);
    EXPECT_EQ(Rect(15, 0, 15, 10), scaled);

    // The first amount is truncated; the second takes the remainder.
    Rect odd(0, 0, 11, 7);
    odd.deflate(10, 50, 10, 20);
    EXPECT_EQ(Rect(5, 5, 5, 5), odd);  // right 11 - 6, top trunc(7 * 50 / 70), bottom 7 - 2

    // A line has no room: any positive amounts meet in proportion.
    Rect line(0, 0, 0, 40);
    line.deflate(3, 30, 1, 10);
    EXPECT_EQ(Rect(0, 30, 0, 30), line);
}

TEST(GdiRectDeflate, ResultAlwaysKeepsTheInvariant) {
    const int amounts[] = {0, 1, 7, 19, 20, 21, INT_MAX / 2};
    for (int a : amounts) {
        for (int b : amounts) {
            Rect rect(-3, 4, 17, 9);
            rect.deflate(a, b, b, a);
            EXPECT_TRUE(rect.left >= -3 && rect.left <= rect.right && rect.right <= 17) << a << ", " << b;
            EXPECT_TRUE(rect.top >= 4 && rect.top <= rect.bottom && rect.bottom <= 9) << a << ", " << b;
        }
    }
    // A rectangle already broken through its fields is refused, not deflated further.
    Rect broken(0, 0, 10, 10);
    broken.left = 20;
    EXPECT_THROW(broken.deflate(1, 1, 1, 1), err::InvalidStateException);
}

TEST(GdiBlend, WeightsTheFirstColourByT) {
    const app::ColorRef a = app::rgb(200, 100, 0);
    const app::ColorRef b = app::rgb(0, 100, 250);
    EXPECT_EQ(a, gdi::blend(a, b, 1.0));
    EXPECT_EQ(b, gdi::blend(a, b, 0.0));
    EXPECT_EQ(app::rgb(100, 100, 125), gdi::blend(a, b, 0.5));
    // Each channel is truncated, not rounded: 200 * 0.3 + 0 * 0.7 = 60, 250 * 0.7 = 175.
    EXPECT_EQ(app::rgb(60, 100, 175), gdi::blend(a, b, 0.3));
    // 10 * 0.075 + 255 * 0.925 = 236.625.
    EXPECT_EQ(app::rgb(236, 236, 236), gdi::blend(app::rgb(10, 10, 10), app::rgb(255, 255, 255), 0.075));

    static_assert(gdi::red(0x00030201) == 1 && gdi::green(0x00030201) == 2 && gdi::blue(0x00030201) == 3,
                  "channels of a COLORREF");
    EXPECT_EQ(app::rgb(0x12, 0x34, 0x56), gdi::blend(app::rgb(0x12, 0x34, 0x56), 0xFFFFFFFF, 1.0));
    EXPECT_EQ(0x00FF0000u, gdi::blend(0x00FF0000u, 0x00FF0000u, 0.42));
    EXPECT_EQ(1u, gdi::red(gdi::blend(app::rgb(0, 0, 0), app::rgb(0, 0, 0), 0.5, 1)));

    EXPECT_EQ(app::rgb(110, 60, 10), gdi::blend(app::rgb(100, 50, 0), app::rgb(100, 50, 0), 0.5, 10));
    // A channel pushed past 255 saturates instead of carrying into the next one.
    EXPECT_EQ(app::rgb(255, 255, 40), gdi::blend(app::rgb(250, 255, 0), app::rgb(250, 255, 0), 0.5, 40));
    // Weights outside 0..1 stay within the channel range too.
    EXPECT_EQ(app::rgb(255, 0, 0), gdi::blend(app::rgb(200, 0, 0), app::rgb(0, 200, 0), 2.0));
}
