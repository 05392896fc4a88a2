#include "ui/layout/BorderLayouts.hpp"

#include "err/Exceptions.hpp"

#include <algorithm>

namespace ui::layout {

namespace {

// The places of the sides and the names refusals carry, per axis.
struct Sides {
    Place start;
    Place end;
    const char* put;
    const char* getLayouteeByPlace;
};

constexpr Sides horizontalSides{Place::left, Place::right, "ui::layout::HBorderLayout::put",
                                "ui::layout::HBorderLayout::getLayouteeByPlace"};
constexpr Sides verticalSides{Place::top, Place::bottom, "ui::layout::VBorderLayout::put",
                              "ui::layout::VBorderLayout::getLayouteeByPlace"};

constexpr const Sides& sidesOf(Axis axis) {
    return axis == Axis::horizontal ? horizontalSides : verticalSides;
}

}  // namespace

// Along the axis the sides keep their lengths and the center its minimum; across it the
// largest minimum wins.
template <Axis axis>
int BorderLayout<axis>::getMinLength(std::size_t direction) const {
    if (direction == along(axis)) {
        return outerSize(start_)[direction] + outerSize(end_)[direction] + outerMinSize(center_)[direction];
    }
    return std::max(
        {0, outerMinSize(start_)[direction], outerMinSize(center_)[direction], outerMinSize(end_)[direction]});
}

template <Axis axis>
bool BorderLayout<axis>::isEmpty() const {
    return !start_ && !center_ && !end_;
}

template <Axis axis>
void BorderLayout<axis>::doLayout(int x, int y, int width, int height, bool repaint) {
    constexpr std::size_t a = along(axis);
    const Pair origin{x, y};
    const Pair extent{width, height};
    const auto place = [&](Layoutable* item, int start, int length) {
        if (!item) {
            return;
        }
        Pair position = origin;
        Pair size = extent;
        position[a] = start;
        size[a] = length;
        setOuterBounds(*item, position, size, repaint);
    };
    const int startLength = outerSize(start_)[a];
    const int endLength = outerSize(end_)[a];
    place(start_, origin[a], startLength);
    place(end_, origin[a] + extent[a] - endLength, endLength);
    place(center_, origin[a] + startLength, extent[a] - endLength - startLength);
}

template <Axis axis>
std::unique_ptr<Layout> BorderLayout<axis>::clone() const {
    return std::make_unique<BorderLayout>(*this);
}

template <Axis axis>
void BorderLayout<axis>::put(Layoutable* item, Place place) {
    if (!isPlaceValid(place)) {
        err::throwInvalidArgument(sidesOf(axis).put, "isPlaceValid(place)");
    }
    if (!isPlaceFree(place)) {
        err::throwInvalidArgument(sidesOf(axis).put, "isPlaceFree(place)");
    }
    this->*slotFor(place) = item;
}

template <Axis axis>
Layoutable* BorderLayout<axis>::getLayouteeByPlace(Place place) const {
    if (!isPlaceValid(place)) {
        err::throwInvalidArgument(sidesOf(axis).getLayouteeByPlace, "isPlaceValid(place)");
    }
    return this->*slotFor(place);
}

template <Axis axis>
bool BorderLayout<axis>::isPlaceValid(Place place) const {
    return place == sidesOf(axis).start || place == Place::center || place == sidesOf(axis).end;
}

template <Axis axis>
bool BorderLayout<axis>::isPlaceFree(Place place) const {
    return getLayouteeByPlace(place) == nullptr;
}

template <Axis axis>
Layoutable* BorderLayout<axis>::*BorderLayout<axis>::slotFor(Place place) const {
    if (place == sidesOf(axis).start) {
        return &BorderLayout::start_;
    }
    if (place == sidesOf(axis).end) {
        return &BorderLayout::end_;
    }
    if (place == Place::center) {
        return &BorderLayout::center_;
    }
    throw err::LogicException("Unknown layout place");
}

template class BorderLayout<Axis::horizontal>;
template class BorderLayout<Axis::vertical>;

}  // namespace ui::layout
