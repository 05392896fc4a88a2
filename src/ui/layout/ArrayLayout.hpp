#pragma once

#include "ui/layout/Layout.hpp"
#include "ui/layout/Layoutable.hpp"

#include <vector>

namespace ui::layout {

// A layout of items in the order they were put.
class ArrayLayout : public Layout {
public:
    bool isEmpty() const override;

    // Appends the item; a null item is refused.
    virtual void put(Layoutable* item);

protected:
    ArrayLayout() = default;
    ArrayLayout(const ArrayLayout&) = default;
    ArrayLayout& operator=(const ArrayLayout&) = default;

    const std::vector<Layoutable*>& items() const { return items_; }

private:
    std::vector<Layoutable*> items_;
};

}  // namespace ui::layout
