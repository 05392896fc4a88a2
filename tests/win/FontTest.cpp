#include "gdi/Font.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

int screenPixelsPerInch() {
    const HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return ppi;
}

}  // namespace

TEST(FontSize, PointsBecomeWholeScreenPixelsAndBack) {
    const int ppi = screenPixelsPerInch();
    ASSERT_GT(ppi, 0);
    EXPECT_EQ(MulDiv(ppi, 12, 72), gdi::pointsToPixels(12));
    // Fractions of a point are dropped, not rounded; negative points give the same size.
    EXPECT_EQ(gdi::pointsToPixels(9), gdi::pointsToPixels(9.99));
    EXPECT_EQ(0, gdi::pointsToPixels(0.5));
    EXPECT_EQ(gdi::pointsToPixels(10), gdi::pointsToPixels(-10));
    EXPECT_EQ(-MulDiv(ppi, 9, 72), gdi::Font(L"Arial", 9.5, FW_NORMAL, false).getLogFont().lfHeight);
    // Truncating these to int would be undefined; they saturate instead.
    EXPECT_EQ(gdi::pointsToPixels(1e300), gdi::pointsToPixels(1e12));
    EXPECT_GT(gdi::pointsToPixels(1e300), 0);
    EXPECT_EQ(0, gdi::pointsToPixels(std::nan("")));

    for (int points = 6; points <= 72; ++points) {
        EXPECT_EQ(points, gdi::pixelsToPoints(-gdi::pointsToPixels(points))) << points;
    }
    // A positive (cell) height reads as negative points.
    EXPECT_EQ(-MulDiv(72, 40, ppi), gdi::pixelsToPoints(40));
}

TEST(FontRecord, TheHandleIsMadeFromTheRecordWithTheFaceNameCut) {
    const gdi::Font font(L"Courier New", 14, FW_BOLD, true);
    LOGFONTW made{};
    ASSERT_NE(0, GetObjectW(font.getHandle(), sizeof made, &made));
    EXPECT_EQ(std::wstring(L"Courier New"), made.lfFaceName);
    EXPECT_EQ(-gdi::pointsToPixels(14), made.lfHeight);
    EXPECT_EQ(FW_BOLD, made.lfWeight);
    EXPECT_TRUE(made.lfItalic);

    const gdi::Font longName(std::wstring(40, L'x'), 10, FW_NORMAL, false);
    EXPECT_EQ(std::wstring(31, L'x'), longName.getLogFont().lfFaceName);
}

TEST(FontRecord, DerivedFontReplacesOnlyWhatItIsAskedTo) {
    const gdi::Font base(L"Arial", 10, FW_NORMAL, true);

    const gdi::Font bold(base, true, FW_BOLD, false, 30);
    EXPECT_EQ(FW_BOLD, bold.getLogFont().lfWeight);
    EXPECT_EQ(base.getLogFont().lfHeight, bold.getLogFont().lfHeight);
    EXPECT_TRUE(bold.getLogFont().lfItalic);
    EXPECT_EQ(std::wstring(L"Arial"), bold.getLogFont().lfFaceName);

    const gdi::Font larger(base, false, FW_BOLD, true, 20.7);
    EXPECT_EQ(FW_NORMAL, larger.getLogFont().lfWeight);
    EXPECT_EQ(-gdi::pointsToPixels(20), larger.getLogFont().lfHeight);

    const gdi::Font both(base, true, FW_LIGHT, true, 8);
    EXPECT_EQ(FW_LIGHT, both.getLogFont().lfWeight);
    EXPECT_EQ(-gdi::pointsToPixels(8), both.getLogFont().lfHeight);
}

TEST(FontLifetime, HandleIsDeletedWithTheLastShare) {
    auto font = std::make_shared<gdi::Font>(L"Arial", 11, FW_NORMAL, false);
    const HFONT handle = font->getHandle();
    std::shared_ptr<gdi::Font> share = font;
    font.reset();
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(handle));
    share.reset();
    EXPECT_EQ(0u, GetObjectType(handle));
}

TEST(FontDefault, IsTheSystemMenuFontMadeOnce) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const std::shared_ptr<gdi::Font> font = gdi::getDefaultFont();
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(std::wstring(metrics.lfMenuFont.lfFaceName), font->getLogFont().lfFaceName);
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, font->getLogFont().lfHeight);
    EXPECT_EQ(font, gdi::getDefaultFont());
}

// The settings keep a font as its description: the font made from a stored description must
// describe itself the same way, or every start would store a different font.
TEST(FontRecord, AStoredDescriptionComesBackUnchanged) {
    for (const app::Font& stored : {app::Font{L"Tahoma", 9, 400, false}, app::Font{L"Arial", 12, 700, true}}) {
        EXPECT_EQ(stored, gdi::Font(stored).userFont());
    }
}
