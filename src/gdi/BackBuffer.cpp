#include "gdi/BackBuffer.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Bitmap.hpp"
#include "gdi/CompatibleCanvas.hpp"

#include <algorithm>

namespace gdi {

BackBuffer::BackBuffer() = default;

BackBuffer::~BackBuffer() {
    release();
}

Canvas& BackBuffer::prepare(HDC target, int width, int height) {
    if (!canvas_) {
        canvas_ = std::make_unique<CompatibleCanvas>(target);
    }
    if (width <= capacity_.width && height <= capacity_.height) {
        return *canvas_;
    }
    // Grown in both directions at once, never shrunk: a window resized back and forth
    // settles on one bitmap.
    const Size grown{std::max({width, capacity_.width, 1}), std::max({height, capacity_.height, 1})};
    // Compatible with the target: the memory device context starts with a monochrome bitmap.
    const HBITMAP bitmap = CreateCompatibleBitmap(target, grown.width, grown.height);
    if (bitmap == nullptr) {
        const DWORD error = GetLastError();
        throw err::SystemException(err::postconditionMessage("gdi::BackBuffer::prepare", "bitmap != 0"), error);
    }
    auto replacement = std::make_unique<Bitmap>(bitmap);
    SelectObject(canvas_->getHandle(), bitmap);
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
