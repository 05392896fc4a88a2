#pragma once

#include "ui/layout/Layout.hpp"
#include "ui/layout/Layoutable.hpp"
#include "ui/layout/Place.hpp"

namespace ui::layout {

// A layout with named places, each holding at most one item.
class PlaceLayout : public Layout {
public:
    virtual void put(Layoutable* item, Place place) = 0;
    // The item at a valid place, or null.
    virtual Layoutable* getLayouteeByPlace(Place place) const = 0;
    virtual bool isPlaceValid(Place place) const = 0;
    virtual bool isPlaceFree(Place place) const = 0;

protected:
    PlaceLayout() = default;
    PlaceLayout(const PlaceLayout&) = default;
    PlaceLayout& operator=(const PlaceLayout&) = default;
};

}  // namespace ui::layout
