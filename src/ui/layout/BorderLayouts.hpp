#pragma once

#include "ui/layout/Axis.hpp"
#include "ui/layout/PlaceLayout.hpp"

namespace ui::layout {

// The two sides at their own lengths along the axis, the center item stretched between them;
// every item gets the full breadth across it. Places: left, center, right on the horizontal
// axis; top, center, bottom on the vertical one.
template <Axis axis>
class BorderLayout : public PlaceLayout {
public:
    BorderLayout() = default;

    int getMinWidth() const override { return getMinLength(0); }
    int getMinHeight() const override { return getMinLength(1); }
    bool isEmpty() const override;
    void doLayout(int x, int y, int width, int height, bool repaint) override;
    std::unique_ptr<Layout> clone() const override;

    void put(Layoutable* item, Place place) override;
    Layoutable* getLayouteeByPlace(Place place) const override;
    bool isPlaceValid(Place place) const override;
    bool isPlaceFree(Place place) const override;

private:
    int getMinLength(std::size_t direction) const;
    Layoutable* BorderLayout::*slotFor(Place place) const;

    Layoutable* start_ = nullptr;
    Layoutable* center_ = nullptr;
    Layoutable* end_ = nullptr;
};

extern template class BorderLayout<Axis::horizontal>;
extern template class BorderLayout<Axis::vertical>;

using HBorderLayout = BorderLayout<Axis::horizontal>;
using VBorderLayout = BorderLayout<Axis::vertical>;

}  // namespace ui::layout
