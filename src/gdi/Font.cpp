#include "gdi/Font.hpp"

#include "err/Exceptions.hpp"
#include "gdi/UpdateCanvas.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <limits>

namespace gdi {

namespace {

HFONT createFont(const LOGFONTW& logFont) {
    const HFONT handle = CreateFontIndirectW(&logFont);
    if (handle == nullptr) {
        throw err::InvalidArgumentException("Invalid LOGFONT");
    }
    return handle;
}

LOGFONTW describe(const std::wstring& faceName, double points, int weight, bool italic) {
    LOGFONTW logFont{};
    std::wcsncpy(logFont.lfFaceName, faceName.c_str(), LF_FACESIZE - 1);
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = -pointsToPixels(points);
    logFont.lfWidth = 0;
    logFont.lfWeight = weight;
    logFont.lfItalic = italic ? TRUE : FALSE;
    return logFont;
}

LOGFONTW describe(const Font& font, bool setWeight, int weight, bool setSize, double points) {
    LOGFONTW logFont = font.getLogFont();
    if (setWeight) {
        logFont.lfWeight = weight;
    }
    if (setSize) {
        logFont.lfHeight = -pointsToPixels(points);
    }
    return logFont;
}

// The screen, kept for the life of the process for the point conversions.
const Canvas& screenCanvas() {
    static const UpdateCanvas screen(nullptr);
    return screen;
}

int screenPixelsPerInch() {
    static const int pixelsPerInch = GetDeviceCaps(screenCanvas().getHandle(), LOGPIXELSY);
    return pixelsPerInch;
}

}  // namespace

Font::Font(const std::wstring& faceName, double points, int weight, bool italic)
    : Font(describe(faceName, points, weight, italic)) {}

Font::Font(const app::Font& font) : Font(font.face, font.size, font.weight, font.italic) {}

app::Font Font::userFont() const {
    return app::Font{logFont_.lfFaceName, pixelsToPoints(logFont_.lfHeight), static_cast<int>(logFont_.lfWeight),
                     logFont_.lfItalic != 0};
}

Font::Font(const Font& font, bool setWeight, int weight, bool setSize, double points)
    : Font(describe(font, setWeight, weight, setSize, points)) {}

Font::Font(const LOGFONTW& logFont) : handle_(createFont(logFont)), logFont_(logFont) {}

Font::~Font() {
    DeleteObject(handle_);
}

std::shared_ptr<Font> getDefaultFont() {
    static const std::shared_ptr<Font> font = [] {
        // The record size of the systems before Vista, which every later system accepts too.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = 500;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0);
        return std::make_shared<Font>(metrics.lfMenuFont);
    }();
    return font;
}

int pointsToPixels(double points) {
    // Saturated where the truncation to int and the scaling by 100 below are defined.
    constexpr double limit = std::numeric_limits<int>::max() / 100;
    const int wholePoints = std::isnan(points) ? 0 : static_cast<int>(std::max(-limit, std::min(points, limit)));
    POINT height{0, MulDiv(screenPixelsPerInch(), wholePoints * 100, 7200)};
    DPtoLP(screenCanvas().getHandle(), &height, 1);
    return std::abs(height.y);
}

double pixelsToPoints(int height) {
    return -MulDiv(72, height, screenPixelsPerInch());
}

}  // namespace gdi
