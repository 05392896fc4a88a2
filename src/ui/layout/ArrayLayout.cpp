#include "ui/layout/ArrayLayout.hpp"

#include "err/Exceptions.hpp"

namespace ui::layout {

bool ArrayLayout::isEmpty() const {
    return items_.empty();
}

// Every measure and placement dereferences the items, so a null one is stopped here rather
// than at the next layout pass.
void ArrayLayout::put(Layoutable* item) {
    if (!item) {
        err::throwInvalidArgument("ui::layout::ArrayLayout::put", "item != 0");
    }
    items_.push_back(item);
}

}  // namespace ui::layout
