#include "ui/menu/Separator.hpp"

#include "gdi/Canvas.hpp"
#include "gdi/Icon.hpp"
#include "ui/menu/MenuStyle.hpp"

namespace ui::menu {

Separator::Separator() = default;

unsigned Separator::getMenuFlags() const {
    return MF_OWNERDRAW | MF_SEPARATOR;
}

gdi::Icon Separator::getIcon() const {
    return gdi::Icon();
}

std::wstring Separator::getText() const {
    return std::wstring();
}

bool Separator::isEnabled() const {
    return false;
}

int Separator::measureHeight() const {
    return itemHeight() / 5;
}

void Separator::draw(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    drawBackground(canvas, rect, state & ~static_cast<unsigned>(ODS_SELECTED));
    const int y = rect.top + (rect.bottom - rect.top - 2) / 2;
    canvas.setForegroundColor(GetSysColor(COLOR_BTNSHADOW));
    canvas.drawLine(rect.left + 30, y, rect.right, y);
}

}  // namespace ui::menu
