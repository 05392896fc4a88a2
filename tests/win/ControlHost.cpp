#include "ControlHost.hpp"

#include "ScreenCapture.hpp"
#include "WinTestSupport.hpp"

#include <gtest/gtest.h>

namespace testing_support {

ControlHost::ControlHost() : ui::TopWindow(nullptr) {
    create();
    SetWindowPos(getHandle(), HWND_TOP, 40, 40, 520, 360, SWP_NOACTIVATE);
    show(SW_SHOW);
    SetForegroundWindow(getHandle());
}

bool ControlHost::handleMessage(const MSG& msg, LRESULT& result) {
    if (msg.message == DM_SETDEFID) {
        defaultIds.push_back(static_cast<int>(msg.wParam));
    } else if (msg.message == WM_CONTEXTMENU) {
        ++contextMenus;
    }
    return ui::TopWindow::handleMessage(msg, result);
}

RECT windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

SIZE windowSize(HWND window) {
    const RECT r = windowRect(window);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT placeOf(HWND child) {
    RECT r = windowRect(child);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void expectPlace(const ui::Window& child, int left, int top, int width, int height) {
    const RECT r = placeOf(child.getHandle());
    EXPECT_EQ(left, r.left);
    EXPECT_EQ(top, r.top);
    EXPECT_EQ(width, r.right - r.left);
    EXPECT_EQ(height, r.bottom - r.top);
}

COLORREF pixelOf(HWND window, int x, int y) {
    const RECT r = windowRect(window);
    return ScreenCapture(r).pixel(r.left + x, r.top + y);
}

COLORREF settledPixel(HWND window, int x, int y, COLORREF expected) {
    pumpUntil([&] { return pixelOf(window, x, y) == expected; }, 3000);
    return pixelOf(window, x, y);
}

}  // namespace testing_support
