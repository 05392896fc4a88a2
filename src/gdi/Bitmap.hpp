#pragma once

#include "gdi/Image.hpp"

#include <windows.h>

namespace gdi {

// Owns a bitmap handle and deletes it with the wrapper.
class Bitmap : public Image {
public:
    explicit Bitmap(HBITMAP handle);
    ~Bitmap() override;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int getWidth() const override;
    int getHeight() const override;

    HBITMAP getHandle() const { return handle_; }

private:
    HBITMAP handle_;
};

}  // namespace gdi
