#include "ui/layout/BoxLayouts.hpp"

#include <algorithm>

namespace ui::layout {

namespace {

// The alignment tokens of one axis, from its start edge to its end edge.
struct Tokens {
    Alignment startEdge;
    Alignment start;
    Alignment end;
    Alignment endEdge;
};

constexpr Tokens tokensOf(std::size_t direction) {
    return direction == 0 ? Tokens{Alignment::leftEdge, Alignment::left, Alignment::right, Alignment::rightEdge}
                          : Tokens{Alignment::topEdge, Alignment::top, Alignment::bottom, Alignment::bottomEdge};
}

// Where the run of items along the main axis starts. Any token but the axis' sides and
// `center` puts the run just past the far edge.
int runStart(Alignment alignment, const Tokens& tokens, int origin, int extent, int total) {
    if (alignment == tokens.start) {
        return origin;
    }
    if (alignment == tokens.end) {
        return origin + extent - total;
    }
    if (alignment == Alignment::center) {
        return origin + extent / 2 - total / 2;
    }
    return origin + extent + 1;
}

// Where one item starts across the main axis. `start` and `end` centre the item in a band as
// wide as the widest item at that side; the edge tokens put it flush with the side.
int crossStart(Alignment alignment, const Tokens& tokens, int origin, int extent, int band, int size) {
    if (alignment == Alignment::fill || alignment == tokens.startEdge) {
        return origin;
    }
    if (alignment == tokens.start) {
        return origin + band / 2 - size / 2;
    }
    if (alignment == Alignment::center) {
        return origin + extent / 2 - size / 2;
    }
    if (alignment == tokens.end) {
        return origin + extent - band / 2 - size / 2;
    }
    if (alignment == tokens.endEdge) {
        return origin + extent - size;
    }
    return origin + extent + 1;
}

}  // namespace

template <Axis axis>
BoxLayout<axis>::BoxLayout(Alignment main, Alignment cross) : main_(main), cross_(cross) {}

// Along the axis the lengths add up; across it the band is as broad as the broadest item,
// or its minimum when the items are stretched to fill it.
template <Axis axis>
int BoxLayout<axis>::getMinLength(std::size_t direction) const {
    int length = 0;
    for (const Layoutable* item : items()) {
        if (direction == along(axis)) {
            length += outerSize(item)[direction];
        } else {
            length = std::max(length, (cross_ == Alignment::fill ? outerMinSize(item) : outerSize(item))[direction]);
        }
    }
    return length;
}

template <Axis axis>
void BoxLayout<axis>::doLayout(int x, int y, int width, int height, bool repaint) {
    constexpr std::size_t a = along(axis);
    constexpr std::size_t c = across(axis);
    const Pair origin{x, y};
    const Pair extent{width, height};
    // Both are taken before anything moves: placing a pane can grow it.
    const int total = getMinLength(a);
    const int band = getMinLength(c);
    Pair position{};
    position[a] = runStart(main_, tokensOf(a), origin[a], extent[a], total);
    for (Layoutable* item : items()) {
        Pair size = outerSize(item);
        position[c] = crossStart(cross_, tokensOf(c), origin[c], extent[c], band, size[c]);
        if (cross_ == Alignment::fill) {
            size[c] = extent[c];
        }
        setOuterBounds(*item, position, size, repaint);
        position[a] += size[a];
    }
}

template <Axis axis>
std::unique_ptr<Layout> BoxLayout<axis>::clone() const {
    return std::make_unique<BoxLayout>(*this);
}

template class BoxLayout<Axis::horizontal>;
template class BoxLayout<Axis::vertical>;

}  // namespace ui::layout
