#pragma once

// Shared by the menu and accelerator tests: a window to install menus on, and helpers that
// read menu entries, send commands and draw entries into an off-screen surface.

#include "PixelCanvas.hpp"
#include "WinTestSupport.hpp"

#include "ui/menu/Popup.hpp"

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace testing_support {

// A top-level window to install menus on; `shown` puts it on screen at (100, 100).
class MenuTestWindow : public TestTopWindow {
public:
    explicit MenuTestWindow(bool shown = false);
};

// Appends `entry` to `menu` (a popup or a menu bar) and answers it.
template <typename Menu, typename Entry>
Entry* append(Menu& menu, std::unique_ptr<Entry> entry) {
    Entry* const kept = entry.get();
    if constexpr (std::is_base_of_v<ui::menu::Popup, Entry>) {
        menu.appendSubmenu(std::move(entry));
    } else {
        menu.appendItem(std::move(entry));
    }
    return kept;
}

MENUITEMINFOW entryAt(HMENU menu, UINT position);
bool isGreyed(HMENU menu, UINT position);
LRESULT sendCommand(HWND window, int id, WORD source, LPARAM control = 0);
// A WM_COMMAND message to pass to an interceptor directly.
MSG commandMessage(int id, WORD source);

// The colour of a popup's icon column.
COLORREF iconColumnColour();

constexpr COLORREF untouched = RGB(255, 0, 255);
constexpr RECT itemRect{0, 0, 200, 23};

// A 210 x 30 canvas, first filled with `untouched`, to draw entries into; an entry has
// rows [0, 23).
class Surface : public PixelCanvas {
public:
    Surface() : PixelCanvas(untouched, 210, 30) {}

    COLORREF pixel(int x, int y) const { return at(x, y); }
    // Columns in [x0, x1) with a pixel in rows [0, 23) that is not `background`.
    std::vector<int> inkColumns(int x0, int x1, COLORREF background) const;
    // The lowest row of [0, 23) with a pixel in columns [x0, x1] that is not `background`.
    int lowestInkRow(int x0, int x1, COLORREF background) const;
    // How many pixels of columns [x0, 200) and rows [0, 23) are `colour`.
    int count(COLORREF colour, int x0) const { return PixelCanvas::count(colour, RECT{x0, 0, 200, 23}); }
};

// Sends `owner` the WM_DRAWITEM of the entry whose item data is `itemData` in `menu`.
LRESULT sendDraw(HWND owner, HMENU menu, int itemData, Surface& surface, const RECT& rect, UINT state,
                 UINT action = ODA_SELECT);

}  // namespace testing_support
