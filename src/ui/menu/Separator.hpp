#pragma once

#include "ui/menu/BasicItem.hpp"

namespace ui::menu {

// A thin line between groups of entries.
class Separator : public BasicItem {
public:
    Separator();

    unsigned getMenuFlags() const override;
    gdi::Icon getIcon() const override;
    std::wstring getText() const override;
    bool isEnabled() const override;
    int measureHeight() const override;
    void draw(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) override;
};

}  // namespace ui::menu
