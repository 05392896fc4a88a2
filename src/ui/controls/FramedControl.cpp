#include "ui/controls/FramedControl.hpp"

#include "gdi/NonClientCanvas.hpp"
#include "gdi/RectWin32.hpp"

namespace ui::controls {

FramedControl::FramedControl(Window* parent) : Control(parent) {}

// The system goes first so that scroll bars and the borders of the creator's styles keep
// their room; the frame and the paddings come off what is left.
bool FramedControl::onNcCalcSize(NCCALCSIZE_PARAMS* params, LRESULT& result) {
    result = callSuperclassProc(WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(params));
    RECT& client = params->rgrc[0];
    client.left += getPaddingLeft() + 1;
    client.top += getPaddingTop() + 1;
    client.right -= getPaddingRight() + 1;
    client.bottom -= getPaddingBottom() + 1;
    return true;
}

bool FramedControl::onNcPaint(HRGN) {
    const HWND window = getHandle();
    RECT bounds;
    RECT client;
    if (!GetWindowRect(window, &bounds) || !GetClientRect(window, &client)) {
        return false;
    }
    // The client rectangle in window coordinates, where the canvas has its origin.
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -bounds.left, -bounds.top);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        return false;
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
    canvas.setForegroundColor(focused_ ? focusedFrameColor : frameColor);
    canvas.drawRect(0, 0, width - 1, height - 1);
    return false;
}

bool FramedControl::onSetFocus() {
    focused_ = true;
    const bool handled = Control::onSetFocus();
    refreshFrame();
    return handled;
}

bool FramedControl::onKillFocus() {
    focused_ = false;
    refreshFrame();
    return Control::onKillFocus();
}

void FramedControl::refreshFrame() {
    SetWindowPos(getHandle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

}  // namespace ui::controls
