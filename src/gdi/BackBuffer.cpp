#include "gdi/BackBuffer.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Bitmap.hpp"
#include "gdi/CompatibleCanvas.hpp"

#include <algorithm>

namespace gdi {

// The buffer's canvas, which knows where its bitmap's pixels are.
class BackBuffer::BufferCanvas : public CompatibleCanvas {
public:
    explicit BufferCanvas(HDC dc) : CompatibleCanvas(dc) {}

    void setPixels(void* bits, Size size) {
        bits_ = bits;
        size_ = size;
    }

    bool blendColor(const Rect& rect, COLORREF colour, double opacity) override {
        return blendIntoPixels(bits_, size_.width, size_.height, rect, colour, opacity);
    }

private:
    void* bits_ = nullptr;
    Size size_;
};

BackBuffer::BackBuffer() = default;

BackBuffer::~BackBuffer() {
    release();
}

Canvas& BackBuffer::prepare(HDC target, int width, int height) {
    if (!canvas_) {
        canvas_ = std::make_unique<BufferCanvas>(target);
    }
    if (width <= capacity_.width && height <= capacity_.height) {
        return *canvas_;
    }
    // Grown in both directions at once, never shrunk: a window resized back and forth
    // settles on one bitmap.
    const Size grown{std::max({width, capacity_.width, 1}), std::max({height, capacity_.height, 1})};
    // A 32-bit device-independent bitmap, whose pixels can be worked on directly (see
    // Canvas::blendColor): the memory device context starts with a monochrome bitmap.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = grown.width;
    info.bmiHeader.biHeight = -grown.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        const DWORD error = GetLastError();
        throw err::SystemException(err::postconditionMessage("gdi::BackBuffer::prepare", "bitmap != 0"), error);
    }
    auto replacement = std::make_unique<Bitmap>(bitmap);
    SelectObject(canvas_->getHandle(), bitmap);
    canvas_->setPixels(bits, grown);
    bitmap_ = std::move(replacement);
    capacity_ = grown;
    return *canvas_;
}

void BackBuffer::release() {
    canvas_.reset();
    bitmap_.reset();
    capacity_ = Size{};
}

}  // namespace gdi
