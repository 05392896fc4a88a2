#pragma once

#include "ui/layout/Alignment.hpp"
#include "ui/layout/ArrayLayout.hpp"

namespace ui::layout {

// Items side by side from left to right, each at its own width. The horizontal alignment
// (left, center, right) places the row; the vertical one (fill, topEdge, top, center, bottom,
// bottomEdge) places each item in it.
class HBoxLayout : public ArrayLayout {
public:
    HBoxLayout(Alignment horizontal, Alignment vertical);

    int getMinWidth() const override;
    int getMinHeight() const override;
    void doLayout(int x, int y, int width, int height, bool repaint) override;
    std::unique_ptr<Layout> clone() const override;

    Alignment getHorizontalAlignment() const { return horizontal_; }
    Alignment getVerticalAlignment() const { return vertical_; }

private:
    Alignment horizontal_;
    Alignment vertical_;
};

// Items stacked from top to bottom, each at its own height. The vertical alignment (top,
// center, bottom) places the column; the horizontal one (fill, leftEdge, left, center, right,
// rightEdge) places each item in it.
class VBoxLayout : public ArrayLayout {
public:
    VBoxLayout(Alignment vertical, Alignment horizontal);

    int getMinWidth() const override;
    int getMinHeight() const override;
    void doLayout(int x, int y, int width, int height, bool repaint) override;
    std::unique_ptr<Layout> clone() const override;

    Alignment getHorizontalAlignment() const { return horizontal_; }
    Alignment getVerticalAlignment() const { return vertical_; }

private:
    Alignment horizontal_;
    Alignment vertical_;
};

}  // namespace ui::layout
