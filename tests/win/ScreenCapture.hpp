#pragma once

// Screen captures for visual checks: the pixels of a screen rectangle, readable one by one
// and savable as a PNG file for a person to look at.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

class ScreenCapture {
public:
    // Copies the screen rectangle (in screen coordinates) as it is now.
    explicit ScreenCapture(const RECT& area);

    // The colour at a screen point inside the captured area, as a COLORREF.
    COLORREF pixel(int screenX, int screenY) const;
    // Writes an 8-bit RGB PNG; answers whether the whole file was written.
    bool savePng(const std::wstring& path) const;

    int width() const { return width_; }
    int height() const { return height_; }

private:
    RECT area_;
    int width_;
    int height_;
    std::vector<std::uint32_t> bgra_;
};

}  // namespace testing_support
