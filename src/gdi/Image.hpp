#pragma once

namespace gdi {

// A picture that can be drawn at its own size.
class Image {
public:
    virtual ~Image() = default;

    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;

protected:
    Image() = default;
    Image(const Image&) = default;
    Image& operator=(const Image&) = default;
};

}  // namespace gdi
