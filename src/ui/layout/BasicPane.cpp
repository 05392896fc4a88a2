#include "ui/layout/BasicPane.hpp"

namespace ui::layout::impl {

BasicPane::BasicPane(int width, int height) : width_(width), height_(height), minWidth_(width), minHeight_(height) {}

int BasicPane::getX() const {
    return x_;
}

int BasicPane::getY() const {
    return y_;
}

int BasicPane::getWidth() const {
    return width_;
}

int BasicPane::getHeight() const {
    return height_;
}

int BasicPane::getMinWidth() const {
    return minWidth_;
}

int BasicPane::getMinHeight() const {
    return minHeight_;
}

void BasicPane::setBounds(int x, int y, int width, int height, bool repaint) {
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    update(repaint);
}

void BasicPane::setMinWidth(int minWidth, bool repaint) {
    minWidth_ = minWidth;
    update(repaint);
}

void BasicPane::setMinHeight(int minHeight, bool repaint) {
    minHeight_ = minHeight;
    update(repaint);
}

// Growing the pane goes through setBounds, which updates again; the second round finds the
// pane at its minimum and stops.
void BasicPane::update(bool) {
    ensureMinimumSize(*this, false);
}

}  // namespace ui::layout::impl
