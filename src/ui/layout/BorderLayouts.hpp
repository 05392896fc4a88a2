#pragma once

#include "ui/layout/PlaceLayout.hpp"

namespace ui::layout {

// Left and right items at their own widths, the center item stretched between them; every
// item gets the full height. Places: left, center, right.
class HBorderLayout : public PlaceLayout {
public:
    HBorderLayout() = default;

    int getMinWidth() const override;
    int getMinHeight() const override;
    bool isEmpty() const override;
    void doLayout(int x, int y, int width, int height, bool repaint) override;
    std::unique_ptr<Layout> clone() const override;

    void put(Layoutable* item, Place place) override;
    Layoutable* getLayouteeByPlace(Place place) const override;
    bool isPlaceValid(Place place) const override;
    bool isPlaceFree(Place place) const override;

private:
    Layoutable* HBorderLayout::*slotFor(Place place) const;

    Layoutable* left_ = nullptr;
    Layoutable* center_ = nullptr;
    Layoutable* right_ = nullptr;
};

// Top and bottom items at their own heights, the center item stretched between them; every
// item gets the full width. Places: top, center, bottom.
class VBorderLayout : public PlaceLayout {
public:
    VBorderLayout() = default;

    int getMinWidth() const override;
    int getMinHeight() const override;
    bool isEmpty() const override;
    void doLayout(int x, int y, int width, int height, bool repaint) override;
    std::unique_ptr<Layout> clone() const override;

    void put(Layoutable* item, Place place) override;
    Layoutable* getLayouteeByPlace(Place place) const override;
    bool isPlaceValid(Place place) const override;
    bool isPlaceFree(Place place) const override;

private:
    Layoutable* VBorderLayout::*slotFor(Place place) const;

    Layoutable* top_ = nullptr;
    Layoutable* center_ = nullptr;
    Layoutable* bottom_ = nullptr;
};

}  // namespace ui::layout
