#include "gdi/Icon.hpp"

#include "err/Exceptions.hpp"

#include <shellapi.h>

#include <utility>

namespace gdi {

namespace {

HICON loadIcon(int resourceId, int width, int height) {
    const HICON hi = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, width, height, 0));
    if (hi == nullptr) {
        const DWORD error = GetLastError();
        throw err::SystemException(err::postconditionMessage("gdi::`anonymous-namespace'::loadIcon", "hi != 0"), error);
    }
    return hi;
}

void requireIcon(HICON hIcon) {
    if (hIcon == nullptr) {
        err::throwInvalidArgument("gdi::`anonymous-namespace'::getIconSize", "hIcon != 0");
    }
}

SIZE getIconSize(HICON hIcon) {
    if (hIcon == nullptr) {
        return SIZE{0, 0};
    }
    ICONINFO info{};
    SIZE size{0, 0};
    if (!GetIconInfo(hIcon, &info)) {
        return size;
    }
    BITMAP bitmap{};
    if (info.hbmColor) {
        GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        size.cx = bitmap.bmWidth;
        size.cy = bitmap.bmHeight;
    } else if (info.hbmMask) {
        // A monochrome icon keeps its AND and XOR masks stacked in one bitmap of twice
        // the icon's height.
        GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
        size.cx = bitmap.bmWidth;
        size.cy = bitmap.bmHeight / 2;
    }
    // The query hands out copies of both bitmaps, which are ours to delete.
    if (info.hbmColor) {
        DeleteObject(info.hbmColor);
    }
    if (info.hbmMask) {
        DeleteObject(info.hbmMask);
    }
    return size;
}

}  // namespace

Icon::Icon(int resourceId, int width, int height, bool owned)
    : handle_(loadIcon(resourceId, width, height)), owned_(owned), size_(getIconSize(handle_)) {}

Icon::Icon(HICON handle, bool owned)
    : handle_(handle), owned_(owned && handle != nullptr), size_(getIconSize(handle)) {}

Icon::Icon(const Icon& other) : Image(other) {
    if (other.handle_) {
        handle_ = DuplicateIcon(nullptr, other.handle_);
        owned_ = handle_ != nullptr;
        size_ = handle_ != nullptr ? other.size_ : SIZE{0, 0};
    }
}

Icon::Icon(Icon&& other) noexcept
    : Image(other),
      handle_(std::exchange(other.handle_, nullptr)),
      owned_(std::exchange(other.owned_, false)),
      size_(std::exchange(other.size_, SIZE{0, 0})) {}

Icon& Icon::operator=(Icon other) noexcept {
    swap(*this, other);
    return *this;
}

Icon::~Icon() {
    if (owned_ && handle_) {
        DestroyIcon(handle_);
    }
}

int Icon::getWidth() const {
    requireIcon(handle_);
    return size_.cx;
}

int Icon::getHeight() const {
    requireIcon(handle_);
    return size_.cy;
}

void swap(Icon& a, Icon& b) noexcept {
    std::swap(a.handle_, b.handle_);
    std::swap(a.owned_, b.owned_);
    std::swap(a.size_, b.size_);
}

}  // namespace gdi
