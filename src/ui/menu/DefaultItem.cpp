#include "ui/menu/DefaultItem.hpp"

#include "gdi/Canvas.hpp"
#include "ui/menu/MenuStyle.hpp"

namespace ui::menu {

DefaultItem::DefaultItem(ICommand& command) : Item(command) {}

unsigned DefaultItem::getMenuFlags() const {
    return MF_OWNERDRAW | MF_DEFAULT;
}

int DefaultItem::measureWidth() const {
    return measureTextWidth(getText(), boldMenuFont()) + textMargins;
}

// Drawn in the bold font it is measured in, as the system shows default entries.
void DefaultItem::drawLabel(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    const std::shared_ptr<gdi::Font> regular = canvas.getFont();
    canvas.selectFont(boldMenuFont());
    Item::drawLabel(canvas, rect, state);
    canvas.selectFont(regular);
}

}  // namespace ui::menu
