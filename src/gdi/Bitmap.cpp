#include "gdi/Bitmap.hpp"

namespace gdi {

namespace {

BITMAP describe(HBITMAP handle) {
    BITMAP info{};
    if (handle) {
        GetObjectW(handle, sizeof info, &info);
    }
    return info;
}

}  // namespace

Bitmap::Bitmap(HBITMAP handle) : handle_(handle) {}

Bitmap::~Bitmap() {
    if (handle_) {
        DeleteObject(handle_);
    }
}

int Bitmap::getWidth() const {
    return describe(handle_).bmWidth;
}

int Bitmap::getHeight() const {
    return describe(handle_).bmHeight;
}

}  // namespace gdi
