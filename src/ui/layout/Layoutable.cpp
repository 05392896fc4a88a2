#include "ui/layout/Layoutable.hpp"

#include <algorithm>

namespace ui::layout {

void Layoutable::setMargins(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom) {
    marginLeft_ = left;
    marginTop_ = top;
    marginRight_ = right;
    marginBottom_ = bottom;
}

int Layoutable::getOuterWidth() const {
    return getWidth() + marginLeft_ + marginRight_;
}

int Layoutable::getOuterHeight() const {
    return getHeight() + marginTop_ + marginBottom_;
}

int Layoutable::getOuterMinWidth() const {
    return getMinWidth() + marginLeft_ + marginRight_;
}

int Layoutable::getOuterMinHeight() const {
    return getMinHeight() + marginTop_ + marginBottom_;
}

void Layoutable::setOuterBounds(int x, int y, int width, int height, bool repaint) {
    setBounds(x + marginLeft_, y + marginTop_, width - marginRight_ - marginLeft_, height - marginBottom_ - marginTop_,
              repaint);
}

void ensureMinimumSize(Layoutable& item, bool repaint) {
    const int width = std::max(item.getMinWidth(), item.getWidth());
    const int height = std::max(item.getMinHeight(), item.getHeight());
    if (width > item.getWidth() || height > item.getHeight()) {
        item.setBounds(item.getX(), item.getY(), width, height, repaint);
    }
}

}  // namespace ui::layout
