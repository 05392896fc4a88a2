#include "app/StartUp.hpp"

#include <gtest/gtest.h>

using app::HandOff;
using app::handOffStep;
using app::hiddenStartShowCommand;
using app::showCommandFor;

TEST(StartUpTest, OnlyTheExactSwitchStartsHidden) {
    const int given = 10;  // SW_SHOWDEFAULT
    EXPECT_EQ(hiddenStartShowCommand, showCommandFor(L"-m", given));
    for (const wchar_t* other : {L"", L"-M", L"-m ", L" -m", L"-mm", L"/m", L"-m file.txt"}) {
        EXPECT_EQ(given, showCommandFor(other, given));
    }
}

// The first instance may still be starting (no window yet) or ending (window gone): the
// second start keeps looking for a while and gives up only after that.
TEST(StartUpTest, ASecondStartLooksForTheFirstWindowForAFewSeconds) {
    EXPECT_EQ(HandOff::bringForward, handOffStep(true, 0));
    EXPECT_EQ(HandOff::bringForward, handOffStep(true, 60000));
    EXPECT_EQ(HandOff::keepLooking, handOffStep(false, 0));
    EXPECT_EQ(HandOff::keepLooking, handOffStep(false, app::handOffPatience - 1));
    EXPECT_EQ(HandOff::giveUp, handOffStep(false, app::handOffPatience));
    EXPECT_GE(app::handOffPatience, 4000u);
    EXPECT_LE(app::handOffPatience, 10000u);
}
