#include "ui/layout/FixedLayout.hpp"

#include <algorithm>

namespace ui::layout {

int FixedLayout::getMinWidth() const {
    int right = 0;
    for (const Layoutable* item : items()) {
        right = std::max(right, item->getX() + item->getWidth() + item->getMarginRight());
    }
    return right - originX_;
}

int FixedLayout::getMinHeight() const {
    int bottom = 0;
    for (const Layoutable* item : items()) {
        bottom = std::max(bottom, item->getY() + item->getHeight() + item->getMarginBottom());
    }
    return bottom - originY_;
}

void FixedLayout::doLayout(int x, int y, int, int, bool repaint) {
    if (x == originX_ && y == originY_) {
        return;
    }
    const int dx = x - originX_;
    const int dy = y - originY_;
    originX_ = x;
    originY_ = y;
    for (Layoutable* item : items()) {
        item->setBounds(item->getX() + dx, item->getY() + dy, item->getWidth(), item->getHeight(), repaint);
    }
}

std::unique_ptr<Layout> FixedLayout::clone() const {
    return std::make_unique<FixedLayout>(*this);
}

void FixedLayout::put(Layoutable* item) {
    ArrayLayout::put(item);
    item->setBounds(item->getX() + originX_, item->getY() + originY_, item->getWidth(), item->getHeight(), false);
}

}  // namespace ui::layout
