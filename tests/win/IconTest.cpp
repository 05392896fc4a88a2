#include "IconSamples.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Icon.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

bool isLiveIcon(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return false;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return true;
}

}  // namespace

TEST(IconResource, MissingResourceThrowsTheLoadPostcondition) {
    try {
        gdi::Icon icon(9999, 16, 16, true);
        FAIL() << "no exception";
    } catch (const err::SystemException& e) {
        const std::string expected = "Postcondition failed:\ngdi::`anonymous-namespace'::loadIcon\nhi != 0\n";
        EXPECT_EQ(expected, std::string(e.what()).substr(0, expected.size())) << e.what();
        // The system's description of the failure follows.
        EXPECT_GT(std::string(e.what()).size(), expected.size());
    }
}

TEST(IconResource, LoadsTheResourceAtTheRequestedSize) {
    const gdi::Icon small(129, 16, 16, true);
    ASSERT_FALSE(small.isNull());
    EXPECT_TRUE(small.isOwned());
    EXPECT_EQ(16, small.getWidth());
    EXPECT_EQ(16, small.getHeight());

    const gdi::Icon big(129, 32, 32, false);
    EXPECT_FALSE(big.isOwned());
    EXPECT_EQ(32, big.getWidth());
    EXPECT_EQ(32, big.getHeight());
    DestroyIcon(big.getHandle());
}

TEST(IconSize, NullIconIsRefused) {
    const gdi::Icon none;
    EXPECT_TRUE(none.isNull());
    EXPECT_FALSE(none.isOwned());
    const std::string expected = "Precondition failed:\ngdi::`anonymous-namespace'::getIconSize\nhIcon != 0";
    try {
        none.getWidth();
        FAIL() << "no exception";
    } catch (const err::InvalidArgumentException& e) {
        EXPECT_EQ(expected, e.what());
    }
    EXPECT_THROW(none.getHeight(), err::InvalidArgumentException);
}

TEST(IconSize, ComesFromTheColourBitmap) {
    const gdi::Icon icon(testing_support::makeColourIcon(24, 16, RGB(1, 2, 3)), true);
    EXPECT_EQ(24, icon.getWidth());
    EXPECT_EQ(16, icon.getHeight());
}

TEST(IconSize, MonochromeIconIsHalfItsMaskHigh) {
    // Without a colour bitmap the size comes from the mask, which stacks two masks.
    const HICON handle = testing_support::makeMonochromeIcon(32, 32);
    ASSERT_NE(nullptr, handle);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    const bool hasColour = info.hbmColor != nullptr;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (hasColour)
        GTEST_SKIP() << "this system gives monochrome icons a colour bitmap";
    const gdi::Icon icon(handle, true);
    EXPECT_EQ(32, icon.getWidth());
    EXPECT_EQ(32, icon.getHeight());
}

TEST(IconOwnership, OnlyAnOwnedHandleIsDestroyed) {
    const HICON owned = testing_support::makeColourIcon(16, 16, RGB(9, 9, 9));
    const HICON borrowed = testing_support::makeColourIcon(16, 16, RGB(9, 9, 9));
    {
        const gdi::Icon a(owned, true);
        const gdi::Icon b(borrowed, false);
        EXPECT_TRUE(isLiveIcon(owned));
        EXPECT_TRUE(isLiveIcon(borrowed));
    }
    EXPECT_FALSE(isLiveIcon(owned));
    EXPECT_TRUE(isLiveIcon(borrowed));
    DestroyIcon(borrowed);
}

TEST(IconOwnership, CopiesOwnADuplicate) {
    const HICON borrowed = testing_support::makeColourIcon(20, 12, RGB(9, 9, 9));
    HICON copied = nullptr;
    {
        const gdi::Icon original(borrowed, false);
        const gdi::Icon copy(original);
        copied = copy.getHandle();
        ASSERT_NE(nullptr, copied);
        EXPECT_NE(borrowed, copied);
        EXPECT_TRUE(copy.isOwned());
        EXPECT_EQ(20, copy.getWidth());
        EXPECT_EQ(12, copy.getHeight());

        gdi::Icon assigned;
        assigned = copy;
        EXPECT_NE(copied, assigned.getHandle());
        EXPECT_TRUE(assigned.isOwned());
    }
    // The copy destroyed its duplicate and left the borrowed handle alone.
    EXPECT_FALSE(isLiveIcon(copied));
    EXPECT_TRUE(isLiveIcon(borrowed));
    DestroyIcon(borrowed);

    const gdi::Icon none;
    const gdi::Icon noneCopy(none);
    EXPECT_TRUE(noneCopy.isNull());
    EXPECT_FALSE(noneCopy.isOwned());
}
