#pragma once

#include "app/mainframe/noteslist/scrollcontroller/Position.hpp"

#include <functional>
#include <optional>

namespace app::mainframe::noteslist::scrollcontroller {

// The scroll geometry of a list of items of different heights, without a window. A
// position is (item, offset), so every place in the list is named without summing the
// heights above it, and the end and maximum positions are found from the last item back
// over one viewport. Every operation walks item heights only across the viewport or a
// bounded number of pixels; none walks the whole list.
class ListController {
public:
    using ItemHeight = std::function<int(int)>;
    using ItemCount = std::function<int()>;

    struct Hit {
        int index = -1;  // -1: no item there
        int top = 0;     // the item's top, relative to the viewport's top
    };

    struct ScrollBar {
        int maximum = 0;
        int page = 1;
        int position = 0;
    };

    ListController(ItemHeight ih, ItemCount ic);

    void setHeight(int h);
    // A height no item is below (0: unknown). With it, a position far enough from the end
    // is known to be before the maximum without finding the maximum.
    void setMinimumItemHeight(int h);
    int getHeight() const { return height_; }
    int count() const { return ic_(); }

    Position getPosition() const { return position_; }
    Position normalise(int item, int offset) const;
    // The current position becomes the smaller of normalise(item, offset) and the maximum.
    void scrollTo(int item, int offset);
    void scrollTo(const Position& p) { scrollTo(p.item, p.offset); }
    void scrollBy(int pixels) { scrollTo(position_.item, position_.offset + pixels); }
    // Item trunc(f), the fraction of that item's height below its top.
    void setFraction(double f);
    double getFraction(const Position& p) const;
    void clampToMaximum();

    Position getEndPosition() const;
    Position getMaximumPosition() const;
    Position getBottomPosition() const;
    bool isAtMaximum() const;

    // The item under the viewport row y, with its top.
    Hit itemAt(int y) const;
    // The top of item i relative to the viewport's top, when any of it is in view.
    std::optional<int> topOf(int i) const;
    // The pixels to scroll so that item i is in view: negative up, positive down, 0 when
    // it is in view. Nothing when more than `limit` pixels away; the item is then placed
    // directly with revealPosition.
    std::optional<int> distanceToReveal(int i, int limit) const;
    // The position that scrolling by distanceToReveal(i) extended by `margin` in its
    // direction would reach, found from item i itself.
    Position revealPosition(int i, int margin) const;

    int pageDown(int i) const;
    int pageUp(int i) const;

    // The scroll bar's range and page, which change with the items and the viewport, and
    // its position for that page, which changes with every scroll.
    ScrollBar getScrollRange() const;
    int getScrollPosition(const ScrollBar& range) const;
    ScrollBar getScrollBar() const;

private:
    int heightOf(int item) const;
    Position clamp(Position p, int n) const;
    bool surelyBeforeMaximum(const Position& p) const;

    ItemHeight ih_;
    ItemCount ic_;
    int height_ = 0;
    int minimumItemHeight_ = 0;
    Position position_;
};

}  // namespace app::mainframe::noteslist::scrollcontroller
