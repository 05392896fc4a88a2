#pragma once

#include "ui/layout/ArrayLayout.hpp"

namespace ui::layout {

// Items keep the positions and sizes they were given, relative to the layout's origin: laying
// out at another point moves every item along, and the size offered is ignored.
class FixedLayout : public ArrayLayout {
public:
    FixedLayout() = default;

    // The extent of the items right of and below the origin.
    int getMinWidth() const override;
    int getMinHeight() const override;
    void doLayout(int x, int y, int width, int height, bool repaint) override;
    std::unique_ptr<Layout> clone() const override;

    // Appends the item and moves it by the current origin.
    void put(Layoutable* item) override;

    int getOriginX() const { return originX_; }
    int getOriginY() const { return originY_; }

private:
    int originX_ = 0;
    int originY_ = 0;
};

}  // namespace ui::layout
