#pragma once

#include "ui/layout/Alignment.hpp"
#include "ui/layout/ArrayLayout.hpp"
#include "ui/layout/Axis.hpp"

namespace ui::layout {

// Items one after the other along the axis (left to right, or top to bottom), each at its
// own length. The main alignment (left, center, right; or top, center, bottom) places the
// run; the cross one (fill, and the edge, side and center tokens of the other axis) places
// each item across it.
template <Axis axis>
class BoxLayout : public ArrayLayout {
public:
    BoxLayout(Alignment main, Alignment cross);

    int getMinWidth() const override { return getMinLength(0); }
    int getMinHeight() const override { return getMinLength(1); }
    void doLayout(int x, int y, int width, int height, bool repaint) override;
    std::unique_ptr<Layout> clone() const override;

    Alignment getHorizontalAlignment() const { return axis == Axis::horizontal ? main_ : cross_; }
    Alignment getVerticalAlignment() const { return axis == Axis::horizontal ? cross_ : main_; }

private:
    int getMinLength(std::size_t direction) const;

    Alignment main_;
    Alignment cross_;
};

extern template class BoxLayout<Axis::horizontal>;
extern template class BoxLayout<Axis::vertical>;

// HBoxLayout(horizontal, vertical) and VBoxLayout(vertical, horizontal).
using HBoxLayout = BoxLayout<Axis::horizontal>;
using VBoxLayout = BoxLayout<Axis::vertical>;

}  // namespace ui::layout
