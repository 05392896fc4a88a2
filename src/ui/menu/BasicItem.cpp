#include "ui/menu/BasicItem.hpp"

#include "gdi/Canvas.hpp"
#include "gdi/Color.hpp"
#include "gdi/Icon.hpp"
#include "ui/menu/MenuStyle.hpp"

namespace ui::menu {

namespace {

// Ids are never reused: items, separators and popups alike take the next one.
int nextItemId = 0;

}  // namespace

BasicItem::BasicItem() : id_(nextItemId++) {}

BasicItem::~BasicItem() = default;

bool BasicItem::isEnabled() const {
    return true;
}

int BasicItem::measureWidth() const {
    return measureTextWidth(getText()) + textMargins;
}

int BasicItem::measureHeight() const {
    return itemHeight();
}

void BasicItem::draw(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    drawBackground(canvas, rect, state);
    drawLabel(canvas, rect, state);
    drawShortcut(canvas, rect, state);
    if (!getIcon().isNull()) {
        drawIcon(canvas, rect, state);
    }
}

// Fills reach one pixel past the item's right and bottom edges; the next item, drawn
// later, and the menu border cover that.
void BasicItem::drawBackground(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    const int l = rect.left;
    const int t = rect.top;
    const int r = rect.right;
    const int b = rect.bottom;
    const COLORREF window = windowColor();
    if ((state & ODS_SELECTED) != 0 && !isDisabledState(state)) {
        const COLORREF highlight = highlightColor();
        canvas.setForegroundColor(highlight);
        canvas.drawRect(l, t, r - 1, b - 2);
        canvas.setBackgroundColor(gdi::blend(highlight, window, 0.4));
        canvas.fillRect(l + 1, t + 1, l + 22, b - 3);
        canvas.setBackgroundColor(gdi::blend(highlight, window, 0.35));
        canvas.fillRect(l + 23, t + 1, r - 2, b - 3);
    } else {
        canvas.setBackgroundColor(iconColumnColor());
        canvas.fillRect(l, t, l + 22, b);
        canvas.setBackgroundColor(window);
        canvas.fillRect(l + 23, t, r, b);
    }
}

void BasicItem::drawLabel(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    const std::wstring text = getText();
    std::wstring label = text.substr(0, text.find(L'\t'));
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if ((state & ODS_NOACCEL) != 0) {
        label = withoutMnemonics(label);
        format |= DT_NOPREFIX;
    }
    canvas.setForegroundColor(textColor(isDisabledState(state)));
    canvas.drawText(clampedRect(rect.left + 30, rect.top, rect.right, rect.bottom - 2), label, format);
}

void BasicItem::drawShortcut(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    const std::wstring text = getText();
    const std::size_t tab = text.find(L'\t');
    if (tab == std::wstring::npos) {
        return;
    }
    canvas.setForegroundColor(textColor(isDisabledState(state)));
    canvas.drawText(clampedRect(rect.left, rect.top, rect.right - 15, rect.bottom - 2), text.substr(tab + 1),
                    DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

void BasicItem::drawIcon(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    const gdi::Icon icon = getIcon();
    if (icon.isNull()) {
        return;
    }
    const int height = rect.bottom - rect.top;
    canvas.drawImage(icon, rect.left + 3, rect.top + (height - 1) / 2 - 8, !isDisabledState(state));
}

}  // namespace ui::menu
