#include "app/mainframe/noteslist/scrollcontroller/ListController.hpp"

#include "err/Exceptions.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace app::mainframe::noteslist::scrollcontroller {

ListController::ListController(ItemHeight ih, ItemCount ic) : ih_(std::move(ih)), ic_(std::move(ic)) {
    if (!ih_) {
        err::throwInvalidArgument("app::mainframe::noteslist::scrollcontroller::ListController::ListController",
                                  "ih != 0");
    }
    if (!ic_) {
        err::throwInvalidArgument("app::mainframe::noteslist::scrollcontroller::ListController::ListController",
                                  "ic != 0");
    }
}

int ListController::heightOf(int item) const {
    return std::max(ih_(item), 0);
}

void ListController::setHeight(int h) {
    if (!(h >= 0)) {
        err::throwInvalidArgument("app::mainframe::noteslist::scrollcontroller::ListController::setHeight", "h >= 0");
    }
    height_ = h;
    clampToMaximum();
}

void ListController::setMinimumItemHeight(int h) {
    minimumItemHeight_ = std::max(h, 0);
}

// The maximum position's item is at least the last item less one item per minimum height
// of viewport, so a position before that needs no walk back from the end to compare.
bool ListController::surelyBeforeMaximum(const Position& p) const {
    if (minimumItemHeight_ <= 0) {
        return false;
    }
    const long long itemsInView = height_ / minimumItemHeight_ + 1;
    return p.item < static_cast<long long>(ic_()) - 1 - itemsInView;
}

bool ListController::isAtMaximum() const {
    return !surelyBeforeMaximum(position_) && getMaximumPosition() == position_;
}

Position ListController::getEndPosition() const {
    const int n = ic_();
    if (n <= 0) {
        return Position{};
    }
    return Position{n - 1, std::max(heightOf(n - 1) - 1, 0)};
}

Position ListController::clamp(Position p, int n) const {
    if (p.item < 0) {
        return Position{};
    }
    if (p.item == 0 && p.offset < 0) {
        p.offset = 0;
    }
    const int last = n - 1;
    if (p.item > last) {
        return getEndPosition();
    }
    if (p.item == last) {
        const Position end = getEndPosition();
        if (p.offset > end.offset) {
            p.offset = end.offset;
        }
    }
    return p;
}

Position ListController::normalise(int item, int offset) const {
    const int n = ic_();
    if (n <= 0) {
        return Position{};
    }
    Position p = clamp(Position{item, offset}, n);
    while (p.offset < 0 && p.item >= 1) {
        --p.item;
        p.offset += heightOf(p.item);
    }
    while (p.offset > 0 && p.item <= n - 1) {
        const int h = heightOf(p.item);
        if (p.offset < h) {
            break;
        }
        p.offset -= h;
        ++p.item;
    }
    return clamp(p, n);
}

Position ListController::getMaximumPosition() const {
    const Position end = getEndPosition();
    return normalise(end.item, end.offset - height_ + 1);
}

Position ListController::getBottomPosition() const {
    return normalise(position_.item, position_.offset + height_ - 1);
}

void ListController::scrollTo(int item, int offset) {
    const Position target = normalise(item, offset);
    position_ = surelyBeforeMaximum(target) ? target : std::min(target, getMaximumPosition());
}

void ListController::clampToMaximum() {
    if (surelyBeforeMaximum(position_)) {
        return;
    }
    const Position maximum = getMaximumPosition();
    if (maximum < position_) {
        position_ = maximum;
    }
}

void ListController::setFraction(double f) {
    const int n = ic_();
    if (n <= 0 || !(f > 0)) {
        position_ = Position{};
        return;
    }
    if (f >= n) {
        scrollTo(getEndPosition());
        return;
    }
    const int item = static_cast<int>(f);
    const int offset = static_cast<int>((f - item) * heightOf(item));
    scrollTo(item, offset);
}

double ListController::getFraction(const Position& p) const {
    if (ic_() <= 0) {
        return 0.0;
    }
    const int h = heightOf(p.item);
    return p.item + (h > 0 ? static_cast<double>(p.offset) / h : 0.0);
}

// The first item that reaches the row y. A row on an item's bottom edge (top + height)
// belongs to the next item already.
ListController::Hit ListController::itemAt(int y) const {
    const int n = ic_();
    if (n <= 0) {
        return Hit{};
    }
    int item = position_.item;
    int top = -position_.offset;
    if (item != 0 && position_.offset < 0) {
        --item;
        top -= heightOf(item);
    }
    int bottom = top + heightOf(item);
    while (bottom <= y) {
        if (item == n - 1) {
            return Hit{};
        }
        ++item;
        top = bottom;
        bottom = top + heightOf(item);
    }
    return Hit{item, top};
}

std::optional<int> ListController::topOf(int i) const {
    const int n = ic_();
    if (i < 0 || i >= n) {
        return std::nullopt;
    }
    int item = position_.item;
    int top = -position_.offset;
    if (item != 0 && position_.offset < 0) {
        --item;
        top -= heightOf(item);
    }
    if (i < item) {
        return std::nullopt;
    }
    while (item < i && top < height_) {
        top += heightOf(item);
        ++item;
    }
    if (item < i || top >= height_) {
        return std::nullopt;
    }
    return top;
}

std::optional<int> ListController::distanceToReveal(int i, int limit) const {
    const int n = ic_();
    if (i < 0 || i >= n) {
        return std::nullopt;
    }
    const Position start{i, 0};
    const Position end{i, std::max(heightOf(i) - 1, 0)};
    if (start < position_) {
        // From the top of item i down to the current position.
        long long distance = position_.offset;
        for (int item = i; item < position_.item; ++item) {
            distance += heightOf(item);
            if (distance > limit) {
                return std::nullopt;
            }
        }
        if (distance > limit) {
            return std::nullopt;
        }
        return -static_cast<int>(distance);
    }
    const Position bottom = getBottomPosition();
    if (bottom < end) {
        long long distance = end.offset - bottom.offset;
        for (int item = bottom.item; item < i; ++item) {
            distance += heightOf(item);
            if (distance > limit) {
                return std::nullopt;
            }
        }
        if (distance > limit) {
            return std::nullopt;
        }
        return static_cast<int>(distance);
    }
    return 0;
}

Position ListController::revealPosition(int i, int margin) const {
    const int n = ic_();
    if (n <= 0) {
        return Position{};
    }
    i = std::clamp(i, 0, n - 1);
    const Position start{i, 0};
    Position target = position_;
    if (start < position_) {
        target = normalise(i, -margin);
    } else {
        const Position bottom = getBottomPosition();
        const Position end{i, std::max(heightOf(i) - 1, 0)};
        if (bottom < end) {
            target = normalise(i, end.offset + margin - (height_ - 1));
        }
    }
    return surelyBeforeMaximum(target) ? target : std::min(target, getMaximumPosition());
}

int ListController::pageDown(int i) const {
    const int top = position_.item;
    const int bottom = getBottomPosition().item;
    if (top <= i && i < bottom - 1) {
        return bottom;
    }
    return normalise(i, height_).item;
}

int ListController::pageUp(int i) const {
    const int top = position_.item;
    const int bottom = getBottomPosition().item;
    if (top + 1 < i && i <= bottom) {
        return top;
    }
    return normalise(i, -height_).item;
}

// In whole numbers: 100 x (item + offset / height) truncated, so that a bar at 3.49
// items of page is 349 units and not 348.99999.
ListController::ScrollBar ListController::getScrollRange() const {
    const int n = ic_();
    ScrollBar bar;
    if (n <= 0) {
        return bar;
    }
    bar.maximum = 100 * n;
    const Position end = getEndPosition();
    const Position maximum = getMaximumPosition();
    const long long he = std::max(heightOf(end.item), 1);
    const long long hm = std::max(heightOf(maximum.item), 1);
    const long long numerator =
        100 * ((static_cast<long long>(end.item) - maximum.item) * he * hm + end.offset * hm - maximum.offset * he);
    bar.page = 1 + static_cast<int>(numerator / (he * hm));
    return bar;
}

int ListController::getScrollPosition(const ScrollBar& range) const {
    if (ic_() <= 0) {
        return 0;
    }
    if (isAtMaximum()) {
        return range.maximum - range.page + 1;
    }
    const long long h = std::max(heightOf(position_.item), 1);
    return static_cast<int>(100LL * position_.item + 100LL * position_.offset / h);
}

ListController::ScrollBar ListController::getScrollBar() const {
    ScrollBar bar = getScrollRange();
    bar.position = getScrollPosition(bar);
    return bar;
}

}  // namespace app::mainframe::noteslist::scrollcontroller
