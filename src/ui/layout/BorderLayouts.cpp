#include "ui/layout/BorderLayouts.hpp"

#include "err/Exceptions.hpp"

#include <algorithm>

namespace ui::layout {

namespace {

int outerWidth(const Layoutable* item) {
    return item ? item->getOuterWidth() : 0;
}

int outerHeight(const Layoutable* item) {
    return item ? item->getOuterHeight() : 0;
}

int outerMinWidth(const Layoutable* item) {
    return item ? item->getOuterMinWidth() : 0;
}

int outerMinHeight(const Layoutable* item) {
    return item ? item->getOuterMinHeight() : 0;
}

[[noreturn]] void throwUnknownPlace() {
    throw err::LogicException("Unknown layout place");
}

}  // namespace

// HBorderLayout

int HBorderLayout::getMinWidth() const {
    return outerWidth(left_) + outerWidth(right_) + outerMinWidth(center_);
}

int HBorderLayout::getMinHeight() const {
    return std::max({0, outerMinHeight(left_), outerMinHeight(center_), outerMinHeight(right_)});
}

bool HBorderLayout::isEmpty() const {
    return !left_ && !center_ && !right_;
}

void HBorderLayout::doLayout(int x, int y, int width, int height, bool repaint) {
    const int leftWidth = outerWidth(left_);
    const int rightWidth = outerWidth(right_);
    if (left_)
        left_->setOuterBounds(x, y, leftWidth, height, repaint);
    if (right_)
        right_->setOuterBounds(x + width - rightWidth, y, rightWidth, height, repaint);
    if (center_)
        center_->setOuterBounds(x + leftWidth, y, width - rightWidth - leftWidth, height, repaint);
}

std::unique_ptr<Layout> HBorderLayout::clone() const {
    return std::make_unique<HBorderLayout>(*this);
}

void HBorderLayout::put(Layoutable* item, Place place) {
    if (!isPlaceValid(place))
        err::throwInvalidArgument("ui::layout::HBorderLayout::put", "isPlaceValid(place)");
    if (!isPlaceFree(place))
        err::throwInvalidArgument("ui::layout::HBorderLayout::put", "isPlaceFree(place)");
    this->*slotFor(place) = item;
}

Layoutable* HBorderLayout::getLayouteeByPlace(Place place) const {
    if (!isPlaceValid(place))
        err::throwInvalidArgument("ui::layout::HBorderLayout::getLayouteeByPlace", "isPlaceValid(place)");
    return this->*slotFor(place);
}

bool HBorderLayout::isPlaceValid(Place place) const {
    return place == Place::left || place == Place::center || place == Place::right;
}

bool HBorderLayout::isPlaceFree(Place place) const {
    return getLayouteeByPlace(place) == nullptr;
}

Layoutable* HBorderLayout::*HBorderLayout::slotFor(Place place) const {
    switch (place) {
    case Place::left:
        return &HBorderLayout::left_;
    case Place::center:
        return &HBorderLayout::center_;
    case Place::right:
        return &HBorderLayout::right_;
    default:
        throwUnknownPlace();
    }
}

// VBorderLayout

int VBorderLayout::getMinWidth() const {
    return std::max({0, outerMinWidth(top_), outerMinWidth(center_), outerMinWidth(bottom_)});
}

int VBorderLayout::getMinHeight() const {
    return outerHeight(top_) + outerHeight(bottom_) + outerMinHeight(center_);
}

bool VBorderLayout::isEmpty() const {
    return !top_ && !center_ && !bottom_;
}

void VBorderLayout::doLayout(int x, int y, int width, int height, bool repaint) {
    const int topHeight = outerHeight(top_);
    const int bottomHeight = outerHeight(bottom_);
    if (top_)
        top_->setOuterBounds(x, y, width, topHeight, repaint);
    if (bottom_)
        bottom_->setOuterBounds(x, y + height - bottomHeight, width, bottomHeight, repaint);
    if (center_)
        center_->setOuterBounds(x, y + topHeight, width, height - bottomHeight - topHeight, repaint);
}

std::unique_ptr<Layout> VBorderLayout::clone() const {
    return std::make_unique<VBorderLayout>(*this);
}

void VBorderLayout::put(Layoutable* item, Place place) {
    if (!isPlaceValid(place))
        err::throwInvalidArgument("ui::layout::VBorderLayout::put", "isPlaceValid(place)");
    if (!isPlaceFree(place))
        err::throwInvalidArgument("ui::layout::VBorderLayout::put", "isPlaceFree(place)");
    this->*slotFor(place) = item;
}

Layoutable* VBorderLayout::getLayouteeByPlace(Place place) const {
    if (!isPlaceValid(place))
        err::throwInvalidArgument("ui::layout::VBorderLayout::getLayouteeByPlace", "isPlaceValid(place)");
    return this->*slotFor(place);
}

bool VBorderLayout::isPlaceValid(Place place) const {
    return place == Place::top || place == Place::center || place == Place::bottom;
}

bool VBorderLayout::isPlaceFree(Place place) const {
    return getLayouteeByPlace(place) == nullptr;
}

Layoutable* VBorderLayout::*VBorderLayout::slotFor(Place place) const {
    switch (place) {
    case Place::top:
        return &VBorderLayout::top_;
    case Place::center:
        return &VBorderLayout::center_;
    case Place::bottom:
        return &VBorderLayout::bottom_;
    default:
        throwUnknownPlace();
    }
}

}  // namespace ui::layout
