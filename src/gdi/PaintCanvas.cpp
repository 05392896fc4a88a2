#include "gdi/PaintCanvas.hpp"

#include "err/Exceptions.hpp"

namespace gdi {

PaintCanvas::PaintCanvas(HWND window) : Canvas(window, nullptr) {
    const HDC dc = BeginPaint(window, &paint_);
    if (dc == nullptr) {
        const DWORD error = GetLastError();
        throw err::SystemException(err::postconditionMessage("gdi::PaintCanvas::PaintCanvas", "dc != 0"), error);
    }
    setHandle(dc);
    captureState();
}

PaintCanvas::~PaintCanvas() {
    restoreState();
    EndPaint(getWindow(), &paint_);
}

Rect PaintCanvas::getUpdateRect() const {
    Rect area;
    area.left = paint_.rcPaint.left;
    area.top = paint_.rcPaint.top;
    area.right = paint_.rcPaint.right;
    area.bottom = paint_.rcPaint.bottom;
    return area;
}

}  // namespace gdi
