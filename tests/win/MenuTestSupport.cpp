#include "MenuTestSupport.hpp"

#include "gdi/Color.hpp"

#include <gtest/gtest.h>

namespace testing_support {

MenuTestWindow::MenuTestWindow(bool shown) : TestTopWindow(L"Oskel.MenuTestWindow") {
    create();
    if (shown) {
        SetWindowPos(getHandle(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
        show(SW_SHOW);
    }
}

MENUITEMINFOW entryAt(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STATE;
    EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
    return info;
}

bool isGreyed(HMENU menu, UINT position) {
    const UINT state = GetMenuState(menu, position, MF_BYPOSITION);
    return (state & (MF_GRAYED | MF_DISABLED)) == (MF_GRAYED | MF_DISABLED);
}

LRESULT sendCommand(HWND window, int id, WORD source, LPARAM control) {
    return SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, source), control);
}

MSG commandMessage(int id, WORD source) {
    MSG msg{};
    msg.message = WM_COMMAND;
    msg.wParam = MAKEWPARAM(id, source);
    return msg;
}

COLORREF iconColumnColour() {
    return gdi::blend(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), 0.5);
}

std::vector<int> Surface::inkColumns(int x0, int x1, COLORREF background) const {
    std::vector<int> columns;
    for (int x = x0; x < x1; ++x) {
        int y = 0;
        while (y < 23 && pixel(x, y) == background) {
            ++y;
        }
        if (y < 23) {
            columns.push_back(x);
        }
    }
    return columns;
}

int Surface::lowestInkRow(int x0, int x1, COLORREF background) const {
    for (int y = 22; y >= 0; --y) {
        for (int x = x0; x <= x1; ++x) {
            if (pixel(x, y) != background) {
                return y;
            }
        }
    }
    return -1;
}

LRESULT sendDraw(HWND owner, HMENU menu, int itemData, Surface& surface, const RECT& rect, UINT state, UINT action) {
    DRAWITEMSTRUCT record{};
    record.CtlType = ODT_MENU;
    record.itemID = static_cast<UINT>(itemData);
    record.itemAction = action;
    record.itemState = state;
    record.hwndItem = reinterpret_cast<HWND>(menu);
    record.hDC = surface.dc();
    record.rcItem = rect;
    record.itemData = static_cast<ULONG_PTR>(itemData);
    return SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&record));
}

}  // namespace testing_support
