#pragma once

#include "ui/menu/Item.hpp"

namespace ui::menu {

// The entry that a double click on the menu's owner would run; shown in bold.
class DefaultItem : public Item {
public:
    explicit DefaultItem(ICommand& command);

    unsigned getMenuFlags() const override;
    int measureWidth() const override;
    void drawLabel(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) override;
};

}  // namespace ui::menu
