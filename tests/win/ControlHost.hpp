#pragma once

// A visible top window to host the controls under test, and ways to look at where the
// controls are and what they show.

#include "ui/TopWindow.hpp"

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Reflects its children's notifications the way every top window does, and records the
// default button ids and the context menu requests that reach it.
class ControlHost : public ui::TopWindow {
public:
    ControlHost();
    ~ControlHost() override = default;

    std::wstring getClassName() const override { return L"Oskel.ControlHost"; }
    unsigned getStyle() const override { return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN; }
    bool handleMessage(const MSG& msg, LRESULT& result) override;

    std::vector<int> defaultIds;
    int contextMenus = 0;
};

// The window's rectangle on screen, and its size.
RECT windowRect(HWND window);
SIZE windowSize(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT placeOf(HWND child);
// Expects the child `width` x `height` large at (left, top) of its parent's client area.
void expectPlace(const ui::Window& child, int left, int top, int width, int height);
// The colour on screen at a point given in window coordinates.
COLORREF pixelOf(HWND window, int x, int y);
// Waits (bounded) until the point shows the colour, and answers the colour it shows then.
COLORREF settledPixel(HWND window, int x, int y, COLORREF expected);

}  // namespace testing_support
