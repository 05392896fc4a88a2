#include "app/mainframe/noteslist/Palette.hpp"
#include "gdi/Color.hpp"

#include <gtest/gtest.h>

#include <array>

using app::rgb;
using app::mainframe::noteslist::Palette;
namespace themes = app::mainframe::noteslist::themes;

// 255 * 0.04 + 255 * 0.96 is 254.99999999999997 in binary floating point: truncated as it
// stands, every theme whose channel is 255 got a header band one step off.
TEST(GdiBlend, ExactDecimalWeightsAreNotTruncatedAStepLow) {
    EXPECT_EQ(rgb(255, 246, 244), gdi::blend(themes::red, gdi::white, 0.04));
    EXPECT_EQ(rgb(255, 248, 244), gdi::blend(themes::orange, gdi::white, 0.04));
    EXPECT_EQ(rgb(253, 252, 246), gdi::blend(themes::yellow, gdi::white, 0.04));
    // Real fractions still truncate.
    EXPECT_EQ(rgb(244, 248, 254), gdi::blend(themes::blue, gdi::white, 0.04));
}

TEST(GdiColor, DesaturateAndInvert) {
    // Mean 110: each channel moves 70% of the way towards it.
    EXPECT_EQ(rgb(77, 104, 149), gdi::desaturate(themes::blue, 70));
    EXPECT_EQ(themes::blue, gdi::desaturate(themes::blue, 0));
    EXPECT_EQ(rgb(110, 110, 110), gdi::desaturate(themes::blue, 100));
    // Mean 95: 255 - 112, 30 + 45.5 and 0 + 66.5, truncated.
    EXPECT_EQ(rgb(143, 75, 66), gdi::desaturate(themes::red, 70));
    EXPECT_EQ(rgb(255, 165, 15), gdi::invert(themes::blue));
    EXPECT_EQ(gdi::white, gdi::invert(0));
}

// Every derived colour of the list, for each of the eight themes.
TEST(NotesListPalette, AllEightThemes) {
    struct Expected {
        app::ColorRef base, background, headerBand, title, dateTime, fill, outline, focusInner, focusOuter;
    };
    const std::array<Expected, 8> expected{{
        {themes::red, rgb(221, 201, 198), rgb(255, 246, 244), rgb(123, 89, 85), rgb(162, 138, 136), rgb(255, 228, 224),
         rgb(255, 142, 127), rgb(0, 113, 128), rgb(0, 45, 51)},
        {themes::orange, rgb(226, 212, 203), rgb(255, 248, 244), rgb(123, 100, 85), rgb(162, 146, 136),
         rgb(255, 236, 224), rgb(255, 177, 127), rgb(0, 78, 128), rgb(0, 31, 51)},
        {themes::yellow, rgb(229, 228, 212), rgb(253, 252, 246), rgb(118, 115, 89), rgb(159, 157, 138),
         rgb(250, 248, 228), rgb(237, 227, 142), rgb(18, 28, 113), rgb(7, 11, 45)},
        {themes::green, rgb(201, 219, 198), rgb(246, 254, 244), rgb(91, 121, 85), rgb(140, 161, 136),
         rgb(229, 253, 224), rgb(147, 247, 127), rgb(108, 8, 128), rgb(43, 3, 51)},
        {themes::cyan, rgb(214, 224, 232), rgb(246, 251, 254), rgb(92, 109, 121), rgb(140, 152, 161),
         rgb(230, 243, 253), rgb(152, 207, 250), rgb(103, 48, 5), rgb(41, 19, 2)},
        {themes::blue, rgb(201, 209, 223), rgb(244, 248, 254), rgb(85, 98, 121), rgb(136, 145, 161), rgb(224, 235, 253),
         rgb(127, 172, 247), rgb(128, 83, 8), rgb(51, 33, 3)},
        {themes::purple, rgb(224, 206, 224), rgb(252, 244, 252), rgb(115, 85, 115), rgb(157, 136, 157),
         rgb(248, 224, 248), rgb(227, 127, 227), rgb(28, 128, 28), rgb(11, 51, 11)},
        {themes::gray, rgb(207, 206, 207), rgb(248, 248, 248), rgb(100, 98, 100), rgb(146, 145, 146),
         rgb(236, 235, 236), rgb(177, 172, 177), rgb(78, 83, 78), rgb(31, 33, 31)},
    }};
    for (const Expected& e : expected) {
        const Palette p = Palette::of(e.base);
        EXPECT_EQ(e.background, p.background) << std::hex << e.base;
        EXPECT_EQ(e.headerBand, p.headerBand) << std::hex << e.base;
        EXPECT_EQ(e.title, p.title) << std::hex << e.base;
        EXPECT_EQ(e.dateTime, p.dateTime) << std::hex << e.base;
        EXPECT_EQ(e.fill, p.hiliteFill) << std::hex << e.base;
        EXPECT_EQ(e.outline, p.hiliteOutline) << std::hex << e.base;
        EXPECT_EQ(e.focusInner, p.focusInner) << std::hex << e.base;
        EXPECT_EQ(e.focusOuter, p.focusOuter) << std::hex << e.base;
        EXPECT_EQ(rgb(180, 180, 180), p.frame);
    }
    // The stored numbers of the theme entries.
    EXPECT_EQ(7935u, themes::red);
    EXPECT_EQ(15751680u, themes::blue);
    EXPECT_EQ(6576740u, themes::gray);
}
