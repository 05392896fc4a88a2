#pragma once

#include "ui/layout/Layoutable.hpp"

namespace ui::layout::impl {

// A rectangle that keeps its own position, size and minimum size, and never stays smaller
// than its minimum once it is updated.
class BasicPane : public Layoutable {
public:
    // Both the size and the minimum size start as (width, height).
    BasicPane(int width, int height);

    int getX() const override;
    int getY() const override;
    int getWidth() const override;
    int getHeight() const override;
    int getMinWidth() const override;
    int getMinHeight() const override;
    void setBounds(int x, int y, int width, int height, bool repaint) override;

    virtual void setMinWidth(int minWidth, bool repaint);
    virtual void setMinHeight(int minHeight, bool repaint);
    virtual void update(bool repaint);

private:
    int x_ = 0;
    int y_ = 0;
    int width_;
    int height_;
    int minWidth_;
    int minHeight_;
};

}  // namespace ui::layout::impl
