#include "ui/menu/CheckItem.hpp"

#include "gdi/Canvas.hpp"
#include "gdi/Color.hpp"
#include "gdi/Icon.hpp"
#include "ui/menu/CheckCommand.hpp"
#include "ui/menu/MenuStyle.hpp"

namespace ui::menu {

namespace {

constexpr COLORREF checkOutline = 0x005080;
constexpr COLORREF checkFill = 0x64AAFF;

// Without an icon of its own, a checked entry shows a tick in its box.
void drawTick(gdi::Canvas& canvas, int x0, int y0, bool disabled) {
    canvas.setForegroundColor(textColor(disabled));
    for (int dy = 0; dy < 3; ++dy) {
        canvas.drawLine(x0 + 5, y0 + 9 + dy, x0 + 8, y0 + 12 + dy);
        canvas.drawLine(x0 + 8, y0 + 12 + dy, x0 + 15, y0 + 5 + dy);
    }
}

}  // namespace

CheckItem::CheckItem(CheckCommand& command) : Item(command), checkCommand_(command) {}

unsigned CheckItem::getMenuFlags() const {
    return MF_OWNERDRAW | MF_CHECKED;
}

// The check box stands in for the icon, so the icon part is drawn even without an icon.
void CheckItem::draw(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    drawBackground(canvas, rect, state);
    drawLabel(canvas, rect, state);
    drawShortcut(canvas, rect, state);
    drawIcon(canvas, rect, state);
}

void CheckItem::drawIcon(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    const gdi::Icon icon = getIcon();
    if (isChecked()) {
        const COLORREF base = iconColumnColor();
        const int x0 = rect.left + 1;
        const int y0 = rect.top + (rect.bottom - rect.top - 1) / 2 - 8 - 2;
        canvas.setForegroundColor(gdi::blend(checkOutline, base, 0.8));
        canvas.drawRect(x0, y0, x0 + 19, y0 + 19);
        canvas.setBackgroundColor(gdi::blend(checkFill, base, 0.6));
        canvas.fillRect(x0 + 1, y0 + 1, x0 + 18, y0 + 18);
        if (icon.isNull()) {
            drawTick(canvas, x0, y0, isDisabledState(state));
        }
    }
    if (!icon.isNull()) {
        Item::drawIcon(canvas, rect, state);
    }
}

bool CheckItem::isChecked() const {
    return checkCommand_.isChecked();
}

}  // namespace ui::menu
