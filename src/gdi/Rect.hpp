#pragma once

namespace gdi {

struct Size {
    int width = 0;
    int height = 0;

    friend bool operator==(const Size& a, const Size& b) { return a.width == b.width && a.height == b.height; }
    friend bool operator!=(const Size& a, const Size& b) { return !(a == b); }
};

// A rectangle with the layout of the Windows RECT (right and bottom exclusive). The checked
// operations keep left <= right and top <= bottom; the fields stay public so that the
// rectangle can be handed to the system as it is.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    Rect() = default;
    Rect(int left, int top, int right, int bottom);

    Rect& copy(const Rect& other);

    int getWidth() const;
    int getHeight() const;
    Size getSize() const;
    // Only a rectangle collapsed to a point is empty: a zero-width but tall one is not.
    bool isEmpty() const;

    void inflate(int dx, int dy);
    void offset(int dx, int dy);
    void deflate(int left, int top, int right, int bottom);

    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

}  // namespace gdi
