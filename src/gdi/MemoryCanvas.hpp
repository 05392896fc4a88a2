#pragma once

#include "gdi/CompatibleCanvas.hpp"

#include <memory>

namespace gdi {

class Bitmap;

// An off-screen canvas: a compatible memory device context with a bitmap of its own
// selected, compatible with the given device context.
class MemoryCanvas : public CompatibleCanvas {
public:
    // As large as the window rectangle of the window that owns the device context.
    explicit MemoryCanvas(HDC dc);
    MemoryCanvas(HDC dc, int width, int height);
    ~MemoryCanvas() override;

    const std::shared_ptr<Bitmap>& getBitmap() const { return bitmap_; }

private:
    void selectBitmap(HDC compatibleWith, int width, int height);

    HBITMAP previousBitmap_ = nullptr;
    std::shared_ptr<Bitmap> bitmap_;
};

}  // namespace gdi
