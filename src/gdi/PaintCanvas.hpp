#pragma once

#include "gdi/Canvas.hpp"

namespace gdi {

// Paints a window in answer to WM_PAINT: painting begins with the canvas and ends with it.
class PaintCanvas : public Canvas {
public:
    explicit PaintCanvas(HWND window);
    ~PaintCanvas() override;

    const PAINTSTRUCT& getPaintStruct() const { return paint_; }
    // The part of the client area that needs painting.
    Rect getUpdateRect() const;

private:
    PAINTSTRUCT paint_{};
};

}  // namespace gdi
