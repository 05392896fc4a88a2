#include "PixelCanvas.hpp"

namespace testing_support {

PixelCanvas::PixelCanvas(COLORREF fill, int width, int height)
    : canvas_(screen_.getHandle(), width, height), width_(width), height_(height) {
    canvas_.setBackgroundColor(fill);
    canvas_.fillRect(gdi::Rect(0, 0, width, height));
}

COLORREF PixelCanvas::at(int x, int y) const {
    SelectClipRgn(dc(), nullptr);
    return GetPixel(dc(), x, y);
}

int PixelCanvas::count(COLORREF colour, const RECT& area) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            n += at(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

}  // namespace testing_support
