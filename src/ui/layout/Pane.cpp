#include "ui/layout/Pane.hpp"

#include "err/Exceptions.hpp"
#include "ui/layout/ArrayLayout.hpp"
#include "ui/layout/PlaceLayout.hpp"

#include <algorithm>

namespace ui::layout {

Pane::Pane(const Layout& layout, int width, int height) : AssignablePane(width, height), layout_(layout.clone()) {}

Pane::~Pane() = default;

int Pane::getMinWidth() const {
    return std::max(layout_->getMinWidth() + getPaddingLeft() + getPaddingRight(), AssignablePane::getMinWidth());
}

int Pane::getMinHeight() const {
    return std::max(layout_->getMinHeight() + getPaddingTop() + getPaddingBottom(), AssignablePane::getMinHeight());
}

// The layout never gets less than its minimum: a pane that is too small (even smaller than its
// paddings) lets its items overflow to the right and bottom instead of squeezing them.
void Pane::update(bool repaint) {
    const int innerX = getX() + getPaddingLeft();
    const int innerY = getY() + getPaddingTop();
    const int innerWidth = getWidth() - getPaddingLeft() - getPaddingRight();
    const int innerHeight = getHeight() - getPaddingTop() - getPaddingBottom();
    layout_->doLayout(innerX, innerY, std::max(innerWidth, layout_->getMinWidth()),
                      std::max(innerHeight, layout_->getMinHeight()), repaint);
    AssignablePane::update(repaint);
}

void Pane::setLayout(const Layout& layout) {
    if (!layout_->isEmpty()) {
        err::throwInvalidState("ui::layout::Pane::setLayout", "layout->isEmpty()");
    }
    layout_ = layout.clone();
}

Pane& Pane::addPane(Place place, const Layout& layout, int width, int height) {
    auto* pl = dynamic_cast<PlaceLayout*>(layout_.get());
    if (!pl) {
        throw err::RuntimeException(err::preconditionMessage("ui::layout::Pane::addPane", "pl!=0"));
    }
    if (!pl->isPlaceFree(place)) {
        err::throwInvalidState("ui::layout::Pane::addPane", "pl->isPlaceFree(place)");
    }
    // Owned first: the layout must never refer to a pane that nothing owns.
    panes_.push_back(new Pane(layout, width, height));
    Pane& pane = panes_.back();
    pl->put(&pane, place);
    return pane;
}

Pane& Pane::addPane(const Layout& layout, int width, int height) {
    auto* pl = dynamic_cast<ArrayLayout*>(layout_.get());
    if (!pl) {
        throw err::RuntimeException(err::preconditionMessage("ui::layout::Pane::addPane", "pl"));
    }
    panes_.push_back(new Pane(layout, width, height));
    Pane& pane = panes_.back();
    pl->put(&pane);
    return pane;
}

void Pane::put(Layoutable* item, Place place) {
    auto* pl = dynamic_cast<PlaceLayout*>(layout_.get());
    if (!pl) {
        throw err::RuntimeException(err::preconditionMessage("ui::layout::Pane::put", "pl != 0"));
    }
    pl->put(item, place);
    update(false);
}

void Pane::put(Layoutable* item) {
    auto* pl = dynamic_cast<ArrayLayout*>(layout_.get());
    if (!pl) {
        throw err::RuntimeException(err::preconditionMessage("ui::layout::Pane::put", "pl != 0"));
    }
    pl->put(item);
    update(false);
}

}  // namespace ui::layout
