#pragma once

#include "gdi/Image.hpp"

#include <windows.h>

namespace gdi {

// An icon handle, destroyed with the wrapper when owned. A default icon is null; copies
// duplicate the handle and own the duplicate. The size is measured once, when the handle
// is taken: measuring asks the system for copies of the icon's bitmaps.
class Icon : public Image {
public:
    Icon() = default;
    // Loads the icon resource of this module at the given size.
    Icon(int resourceId, int width, int height, bool owned = true);
    Icon(HICON handle, bool owned);
    Icon(const Icon& other);
    Icon(Icon&& other) noexcept;
    Icon& operator=(Icon other) noexcept;
    ~Icon() override;

    int getWidth() const override;
    int getHeight() const override;

    HICON getHandle() const { return handle_; }
    bool isNull() const { return handle_ == nullptr; }
    bool isOwned() const { return owned_; }

    friend void swap(Icon& a, Icon& b) noexcept;

private:
    HICON handle_ = nullptr;
    bool owned_ = false;
    SIZE size_{0, 0};
};

}  // namespace gdi
