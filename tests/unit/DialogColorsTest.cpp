#include "app/mainframe/DialogColors.hpp"
#include "app/mainframe/noteslist/Palette.hpp"

#include <gtest/gtest.h>

using app::rgb;
using app::mainframe::DialogColors;
namespace themes = app::mainframe::noteslist::themes;

// The theme 8% and 11% of the way from white, then 40% of the way to its own grey.
TEST(DialogColors, TwoPaleTintsOfTheTheme) {
    const DialogColors blue = DialogColors::of(themes::blue);
    // (234, 241, 253) with mean 242, and (226, 236, 253) with mean 238.
    EXPECT_EQ(rgb(237, 241, 248), blue.light1);
    EXPECT_EQ(rgb(230, 236, 247), blue.light2);
    // 255 * 0.08 + 255 * 0.92 is a full 255, not a step below; mean 242.
    EXPECT_EQ(rgb(249, 239, 237), DialogColors::of(themes::red).light1);
}
