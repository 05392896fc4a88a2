#pragma once

// An off-screen canvas compatible with the screen, first filled with one colour, whose
// pixels a test reads back.

#include "gdi/MemoryCanvas.hpp"
#include "gdi/UpdateCanvas.hpp"

#include <windows.h>

namespace testing_support {

class PixelCanvas {
public:
    explicit PixelCanvas(COLORREF fill = RGB(255, 255, 255), int width = 20, int height = 20);

    gdi::MemoryCanvas& operator*() { return canvas_; }
    gdi::MemoryCanvas* operator->() { return &canvas_; }
    HDC dc() const { return canvas_.getHandle(); }
    // The colour at a point, whatever clipping drawing left behind.
    COLORREF at(int x, int y) const;
    // How many pixels of `area` are `colour`; the whole canvas without an area.
    int count(COLORREF colour, const RECT& area) const;
    int count(COLORREF colour) const { return count(colour, RECT{0, 0, width_, height_}); }

private:
    gdi::UpdateCanvas screen_{nullptr};
    gdi::MemoryCanvas canvas_;
    int width_;
    int height_;
};

}  // namespace testing_support
