#include "ui/menu/MenuStyle.hpp"

#include "gdi/Color.hpp"
#include "gdi/Font.hpp"
#include "gdi/Canvas.hpp"
#include "gdi/MeasuringCanvas.hpp"

#include <algorithm>

namespace ui::menu {

COLORREF windowColor() {
    return GetSysColor(COLOR_WINDOW);
}

COLORREF faceColor() {
    return GetSysColor(COLOR_BTNFACE);
}

COLORREF highlightColor() {
    return GetSysColor(COLOR_HIGHLIGHT);
}

COLORREF iconColumnColor() {
    return gdi::blend(faceColor(), windowColor(), 0.5);
}

COLORREF textColor(bool disabled) {
    return GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
}

int measureTextWidth(const std::wstring& text, const std::shared_ptr<gdi::Font>& font) {
    gdi::Canvas& canvas = gdi::measuringCanvas();
    canvas.selectFont(font ? font : gdi::getDefaultFont());
    return canvas.measureText(text, DT_SINGLELINE).getWidth();
}

const std::shared_ptr<gdi::Font>& boldMenuFont() {
    static const std::shared_ptr<gdi::Font> bold =
        std::make_shared<gdi::Font>(*gdi::getDefaultFont(), true, FW_BOLD, false, 0.0);
    return bold;
}

int itemHeight() {
    return std::max(16 + 7, GetSystemMetrics(SM_CYMENU) + 3);
}

bool isDisabledState(unsigned state) {
    return (state & ODS_DISABLED) != 0;
}

gdi::Rect clampedRect(int left, int top, int right, int bottom) {
    return gdi::Rect(left, top, std::max(left, right), std::max(top, bottom));
}

std::wstring withoutMnemonics(const std::wstring& text) {
    std::wstring plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&') {
            if (i + 1 < text.size() && text[i + 1] == L'&') {
                plain += L'&';
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    return plain;
}

}  // namespace ui::menu
