#include "gdi/Rect.hpp"

#include "err/Exceptions.hpp"

namespace gdi {

namespace {

// Shrinks the amounts taken from the two sides of an extent so that together they take
// exactly the extent, in the ratio they were asked for.
void fitAmounts(int extent, int& first, int& second) {
    const long long sum = static_cast<long long>(first) + second;
    if (sum <= extent) {
        return;
    }
    first = static_cast<int>(extent * (static_cast<double>(first) / static_cast<double>(sum)));
    second = extent - first;
}

}  // namespace

Rect::Rect(int left, int top, int right, int bottom) : left(left), top(top), right(right), bottom(bottom) {
    if (!(left <= right)) {
        err::throwInvalidArgument("gdi::Rect::Rect", "left <= right");
    }
    if (!(top <= bottom)) {
        err::throwInvalidArgument("gdi::Rect::Rect", "top <= bottom");
    }
}

Rect& Rect::copy(const Rect& other) {
    if (!(other.left <= other.right)) {
        err::throwInvalidArgument("gdi::Rect::copy", "other.left <= other.right");
    }
    if (!(other.top <= other.bottom)) {
        err::throwInvalidArgument("gdi::Rect::copy", "other.top <= other.bottom");
    }
    *this = other;
    return *this;
}

int Rect::getWidth() const {
    if (!(left <= right)) {
        err::throwInvalidState("gdi::Rect::getWidth", "left <= right");
    }
    return right - left;
}

int Rect::getHeight() const {
    if (!(top <= bottom)) {
        err::throwInvalidState("gdi::Rect::getHeight", "top <= bottom");
    }
    return bottom - top;
}

Size Rect::getSize() const {
    return Size{getWidth(), getHeight()};
}

bool Rect::isEmpty() const {
    return left == right && top == bottom;
}

void Rect::inflate(int dx, int dy) {
    if (isEmpty()) {
        err::throwInvalidState("gdi::Rect::inflate", "!isEmpty()");
    }
    left -= dx;
    top -= dy;
    right += dx;
    bottom += dy;
}

void Rect::offset(int dx, int dy) {
    if (isEmpty()) {
        err::throwInvalidState("gdi::Rect::offset", "!isEmpty()");
    }
    left += dx;
    top += dy;
    right += dx;
    bottom += dy;
}

// Amounts that together exceed the width (or height) are scaled down to take it exactly,
// so that a rectangle deflated by too much collapses instead of turning inside out.
void Rect::deflate(int dLeft, int dTop, int dRight, int dBottom) {
    fitAmounts(getWidth(), dLeft, dRight);
    fitAmounts(getHeight(), dTop, dBottom);
    left += dLeft;
    top += dTop;
    right -= dRight;
    bottom -= dBottom;
    if (!(left <= right)) {
        throw err::InvalidStateException(err::postconditionMessage("gdi::Rect::deflate", "left <= right"));
    }
    if (!(top <= bottom)) {
        throw err::InvalidStateException(err::postconditionMessage("gdi::Rect::deflate", "top <= bottom"));
    }
}

}  // namespace gdi
