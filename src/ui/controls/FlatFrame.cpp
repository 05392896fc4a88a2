#include "ui/controls/FlatFrame.hpp"

#include "gdi/NonClientCanvas.hpp"
#include "gdi/RectWin32.hpp"

namespace ui::controls {

void shrinkByFlatFrame(RECT& client, const layout::Paddable& paddings) {
    client.left += paddings.getPaddingLeft() + 1;
    client.top += paddings.getPaddingTop() + 1;
    client.right -= paddings.getPaddingRight() + 1;
    client.bottom -= paddings.getPaddingBottom() + 1;
}

void paintFlatFrame(HWND window, bool focused) {
    RECT bounds;
    RECT client;
    if (!GetWindowRect(window, &bounds) || !GetClientRect(window, &client)) {
        return;
    }
    // The client rectangle in window coordinates, where the canvas has its origin.
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -bounds.left, -bounds.top);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        return;
    }

    gdi::NonClientCanvas canvas(window);
    const bool readOnly = (GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY) != 0;
    canvas.setBackgroundColor(GetSysColor(IsWindowEnabled(window) && !readOnly ? COLOR_WINDOW : COLOR_BTNFACE));
    // The band is what lies between the outline and the client area; scroll bars inside it
    // are painted over by the default processing that follows.
    const RECT inner{1, 1, width - 1, height - 1};
    const RECT strips[] = {
        {inner.left, inner.top, inner.right, client.top},
        {inner.left, client.bottom, inner.right, inner.bottom},
        {inner.left, client.top, client.left, client.bottom},
        {client.right, client.top, inner.right, client.bottom},
    };
    for (const RECT& strip : strips) {
        RECT part;
        if (IntersectRect(&part, &strip, &inner)) {
            canvas.fillRect(gdi::toRect(part));
        }
    }
    canvas.setForegroundColor(focused ? focusedFrameColor : frameColor);
    canvas.drawRect(0, 0, width - 1, height - 1);
}

void refreshFlatFrame(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

}  // namespace ui::controls
