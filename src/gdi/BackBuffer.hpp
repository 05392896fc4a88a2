#pragma once

#include "gdi/Rect.hpp"

#include <windows.h>

#include <memory>

namespace gdi {

class Bitmap;
class Canvas;

// An off-screen canvas kept from paint to paint: a memory device context with a 32-bit
// device-independent bitmap. The bitmap is replaced only when a paint needs more room than
// it has, so painting a window of the same size again makes no GDI objects.
class BackBuffer {
public:
    BackBuffer();
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // The canvas to draw a width x height picture on, for copying to `target`. It holds what
    // the last paint left, with the colours and font that paint set. Throws
    // err::SystemException when the system has no memory for a larger bitmap; the buffer is
    // unchanged then.
    Canvas& prepare(HDC target, int width, int height);
    // The size the bitmap has room for; empty before the first paint.
    Size getCapacity() const { return capacity_; }
    // Frees the bitmap and the device context, for instance when the display changes.
    void release();

private:
    class BufferCanvas;

    // Declared before the canvas, which must let go of the bitmap before it is deleted.
    std::unique_ptr<Bitmap> bitmap_;
    std::unique_ptr<BufferCanvas> canvas_;
    Size capacity_;
};

}  // namespace gdi
