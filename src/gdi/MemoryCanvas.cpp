#include "gdi/MemoryCanvas.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Bitmap.hpp"

namespace gdi {

namespace {

SIZE windowSizeOf(HDC dc) {
    RECT area{0, 0, 0, 0};
    GetWindowRect(WindowFromDC(dc), &area);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

}  // namespace

MemoryCanvas::MemoryCanvas(HDC dc) : CompatibleCanvas(dc) {
    const SIZE size = windowSizeOf(dc);
    selectBitmap(dc, size.cx, size.cy);
}

MemoryCanvas::MemoryCanvas(HDC dc, int width, int height) : CompatibleCanvas(dc) {
    selectBitmap(dc, width, height);
}

// The bitmap is made compatible with the given device context, not with the memory one,
// which starts with a monochrome bitmap.
void MemoryCanvas::selectBitmap(HDC compatibleWith, int width, int height) {
    const HBITMAP bmp = CreateCompatibleBitmap(compatibleWith, width, height);
    if (!bmp) {
        const DWORD error = GetLastError();
        throw err::SystemException(err::postconditionMessage("gdi::MemoryCanvas::MemoryCanvas", "bmp"), error);
    }
    bitmap_ = std::make_shared<Bitmap>(bmp);
    previousBitmap_ = static_cast<HBITMAP>(SelectObject(getHandle(), bmp));
}

MemoryCanvas::~MemoryCanvas() {
    if (previousBitmap_) {
        SelectObject(getHandle(), previousBitmap_);
    }
    bitmap_.reset();
}

}  // namespace gdi
