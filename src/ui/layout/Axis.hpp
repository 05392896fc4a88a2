#pragma once

#include "ui/layout/Layoutable.hpp"

#include <array>

namespace ui::layout {

// The direction a layout lines its items up in. A layout written for one axis serves both by
// indexing its positions and sizes with `along` and `across`.
enum class Axis { horizontal, vertical };

// An (x, y) position or a (width, height) size.
using Pair = std::array<int, 2>;

constexpr std::size_t along(Axis axis) {
    return axis == Axis::horizontal ? 0 : 1;
}

constexpr std::size_t across(Axis axis) {
    return 1 - along(axis);
}

// The outer size of an item, margins included; (0, 0) for no item.
Pair outerSize(const Layoutable* item);
Pair outerMinSize(const Layoutable* item);
void setOuterBounds(Layoutable& item, const Pair& position, const Pair& size, bool repaint);

}  // namespace ui::layout
