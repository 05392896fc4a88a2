#pragma once

#include "gdi/Rect.hpp"

#include <windows.h>

#include <memory>
#include <string>

namespace gdi {
class Font;
}

namespace ui::menu {

// The colours and sizes every owner-drawn menu part shares, read from the system each time
// so that a colour scheme change shows at the next paint.
COLORREF windowColor();
COLORREF faceColor();
COLORREF highlightColor();
// The light column behind the icons, continued through the menu's border.
COLORREF iconColumnColor();
COLORREF textColor(bool disabled);

// Added to an entry's text width: the icon column, the gap before the label and the room
// right of the shortcut.
constexpr int textMargins = 52;

// The width of the text on one line in the font (the menu font when null).
int measureTextWidth(const std::wstring& text, const std::shared_ptr<gdi::Font>& font = nullptr);
// The menu font in bold.
const std::shared_ptr<gdi::Font>& boldMenuFont();

// The height of an entry: room for a 16-pixel icon, or the menu bar's height.
int itemHeight();

bool isDisabledState(unsigned state);

// A rectangle from corners that may cross, clamped so that it is never inverted.
gdi::Rect clampedRect(int left, int top, int right, int bottom);

// The text without its mnemonic marks: "&&" stands for one ampersand, any other "&" goes.
std::wstring withoutMnemonics(const std::wstring& text);

}  // namespace ui::menu
