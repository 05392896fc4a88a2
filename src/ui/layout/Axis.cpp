#include "ui/layout/Axis.hpp"

namespace ui::layout {

Pair outerSize(const Layoutable* item) {
    return item ? Pair{item->getOuterWidth(), item->getOuterHeight()} : Pair{0, 0};
}

Pair outerMinSize(const Layoutable* item) {
    return item ? Pair{item->getOuterMinWidth(), item->getOuterMinHeight()} : Pair{0, 0};
}

void setOuterBounds(Layoutable& item, const Pair& position, const Pair& size, bool repaint) {
    item.setOuterBounds(position[0], position[1], size[0], size[1], repaint);
}

}  // namespace ui::layout
