#include "ui/layout/BoxLayouts.hpp"

#include <algorithm>

namespace ui::layout {

namespace {

// Where the run of items along the main axis starts. `start`, `middle` and `end` are the
// tokens of that axis; any other token puts the run just past the far edge.
int runStart(Alignment alignment, Alignment start, Alignment end, int origin, int extent, int total) {
    if (alignment == start)
        return origin;
    if (alignment == end)
        return origin + extent - total;
    if (alignment == Alignment::center)
        return origin + extent / 2 - total / 2;
    return origin + extent + 1;
}

// Where one item starts across the main axis. `near` and `far` centre the item in a band as
// wide as the widest item at that side; the edge tokens put it flush with the side.
int crossStart(Alignment alignment, Alignment nearEdge, Alignment near, Alignment far, Alignment farEdge,
               int origin, int extent, int band, int size) {
    if (alignment == Alignment::fill || alignment == nearEdge)
        return origin;
    if (alignment == near)
        return origin + band / 2 - size / 2;
    if (alignment == Alignment::center)
        return origin + extent / 2 - size / 2;
    if (alignment == far)
        return origin + extent - band / 2 - size / 2;
    if (alignment == farEdge)
        return origin + extent - size;
    return origin + extent + 1;
}

}  // namespace

// HBoxLayout

HBoxLayout::HBoxLayout(Alignment horizontal, Alignment vertical) : horizontal_(horizontal), vertical_(vertical) {}

int HBoxLayout::getMinWidth() const {
    int total = 0;
    for (const Layoutable* item : items())
        total += item->getOuterWidth();
    return total;
}

int HBoxLayout::getMinHeight() const {
    int band = 0;
    for (const Layoutable* item : items())
        band = std::max(band, vertical_ == Alignment::fill ? item->getOuterMinHeight() : item->getOuterHeight());
    return band;
}

void HBoxLayout::doLayout(int x, int y, int width, int height, bool repaint) {
    // Both are taken before anything moves: placing a pane can grow it.
    const int total = getMinWidth();
    const int band = getMinHeight();
    int itemX = runStart(horizontal_, Alignment::left, Alignment::right, x, width, total);
    for (Layoutable* item : items()) {
        const int itemWidth = item->getOuterWidth();
        const int itemHeight = vertical_ == Alignment::fill ? height : item->getOuterHeight();
        const int itemY = crossStart(vertical_, Alignment::topEdge, Alignment::top, Alignment::bottom,
                                     Alignment::bottomEdge, y, height, band, item->getOuterHeight());
        item->setOuterBounds(itemX, itemY, itemWidth, itemHeight, repaint);
        itemX += itemWidth;
    }
}

std::unique_ptr<Layout> HBoxLayout::clone() const {
    return std::make_unique<HBoxLayout>(*this);
}

// VBoxLayout

VBoxLayout::VBoxLayout(Alignment vertical, Alignment horizontal) : horizontal_(horizontal), vertical_(vertical) {}

int VBoxLayout::getMinWidth() const {
    int band = 0;
    for (const Layoutable* item : items())
        band = std::max(band, horizontal_ == Alignment::fill ? item->getOuterMinWidth() : item->getOuterWidth());
    return band;
}

int VBoxLayout::getMinHeight() const {
    int total = 0;
    for (const Layoutable* item : items())
        total += item->getOuterHeight();
    return total;
}

void VBoxLayout::doLayout(int x, int y, int width, int height, bool repaint) {
    const int total = getMinHeight();
    const int band = getMinWidth();
    int itemY = runStart(vertical_, Alignment::top, Alignment::bottom, y, height, total);
    for (Layoutable* item : items()) {
        const int itemHeight = item->getOuterHeight();
        const int itemWidth = horizontal_ == Alignment::fill ? width : item->getOuterWidth();
        const int itemX = crossStart(horizontal_, Alignment::leftEdge, Alignment::left, Alignment::right,
                                     Alignment::rightEdge, x, width, band, item->getOuterWidth());
        item->setOuterBounds(itemX, itemY, itemWidth, itemHeight, repaint);
        itemY += itemHeight;
    }
}

std::unique_ptr<Layout> VBoxLayout::clone() const {
    return std::make_unique<VBoxLayout>(*this);
}

}  // namespace ui::layout
