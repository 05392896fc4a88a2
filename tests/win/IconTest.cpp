#include "IconSamples.hpp"
#include "WinTestSupport.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Icon.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

bool isLiveIcon(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return false;
    }
    if (info.hbmColor) {
        DeleteObject(info.hbmColor);
    }
    if (info.hbmMask) {
        DeleteObject(info.hbmMask);
    }
    return true;
}

}  // namespace

TEST(IconResource, LoadsAtTheRequestedSizeOrThrowsTheLoadPostcondition) {
    const gdi::Icon small(129, 16, 16, true);
    EXPECT_EQ(16, small.getWidth());
    EXPECT_EQ(16, small.getHeight());
    const gdi::Icon big(129, 32, 32, false);
    EXPECT_EQ(32, big.getHeight());
    DestroyIcon(big.getHandle());

    const std::string expected = "Postcondition failed:\ngdi::`anonymous-namespace'::loadIcon\nhi != 0\n";
    const std::string message = testing_support::messageOf<err::SystemException>([] { gdi::Icon(9999, 16, 16, true); });
    EXPECT_THAT(message, testing::StartsWith(expected));
    // The system's description of the failure follows.
    EXPECT_GT(message.size(), expected.size());
}

TEST(IconSize, ComesFromTheColourBitmapOrHalfTheMaskAndANullIconIsRefused) {
    const gdi::Icon icon(testing_support::makeColourIcon(24, 16, RGB(1, 2, 3)), true);
    EXPECT_EQ(24, icon.getWidth());
    EXPECT_EQ(16, icon.getHeight());
    // Measured once when taken: asking the system again on every draw costs two bitmaps
    // per question. A handle that is gone by now shows it.
    const HICON gone = testing_support::makeColourIcon(12, 20, RGB(1, 2, 3));
    const gdi::Icon borrowed(gone, false);
    DestroyIcon(gone);
    EXPECT_EQ(12, borrowed.getWidth());
    EXPECT_EQ(20, borrowed.getHeight());
    EXPECT_EQ("Precondition failed:\ngdi::`anonymous-namespace'::getIconSize\nhIcon != 0",
              testing_support::messageOf<err::InvalidArgumentException>([] { gdi::Icon().getWidth(); }));

    // Without a colour bitmap the size comes from the mask, which stacks two masks.
    const HICON handle = testing_support::makeMonochromeIcon(32, 32);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    const bool hasColour = info.hbmColor != nullptr;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    const gdi::Icon monochrome(handle, true);
    if (hasColour) {
        GTEST_SKIP() << "this system gives monochrome icons a colour bitmap";
    }
    EXPECT_EQ(32, monochrome.getWidth());
    EXPECT_EQ(32, monochrome.getHeight());
}

TEST(IconOwnership, OnlyOwnedHandlesAreDestroyedAndCopiesOwnADuplicate) {
    const HICON owned = testing_support::makeColourIcon(16, 16, RGB(9, 9, 9));
    const HICON borrowed = testing_support::makeColourIcon(20, 12, RGB(9, 9, 9));
    HICON copied = nullptr;
    {
        const gdi::Icon a(owned, true);
        const gdi::Icon original(borrowed, false);
        const gdi::Icon copy(original);
        copied = copy.getHandle();
        EXPECT_NE(borrowed, copied);
        EXPECT_EQ(20, copy.getWidth());
        gdi::Icon assigned;
        assigned = copy;
        EXPECT_NE(copied, assigned.getHandle());
        EXPECT_TRUE(isLiveIcon(owned));
    }
    EXPECT_FALSE(isLiveIcon(owned));
    EXPECT_FALSE(isLiveIcon(copied));
    EXPECT_TRUE(isLiveIcon(borrowed));
    DestroyIcon(borrowed);
    const gdi::Icon none;
    EXPECT_TRUE(gdi::Icon(none).isNull());
}
