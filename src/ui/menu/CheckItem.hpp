#pragma once

#include "ui/menu/Item.hpp"

namespace ui::menu {

class CheckCommand;

// An entry that shows a check box behind its icon while its command is checked.
class CheckItem : public Item {
public:
    explicit CheckItem(CheckCommand& command);

    unsigned getMenuFlags() const override;
    void draw(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) override;
    void drawIcon(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) override;

    bool isChecked() const;

private:
    CheckCommand& checkCommand_;
};

}  // namespace ui::menu
