#include "ui/controls/Panel.hpp"

#include "gdi/GivenCanvas.hpp"
#include "gdi/PaintCanvas.hpp"
#include "gdi/RectWin32.hpp"

namespace ui::controls {

Panel::Panel(Window* parent, int width, int height)
    : ChildWindow(parent), backgroundColor_(GetSysColor(COLOR_BTNFACE)), width_(width), height_(height) {}

bool Panel::handleMessage(const MSG& msg, LRESULT& result) {
    if (msg.message == WM_PRINTCLIENT) {
        gdi::GivenCanvas canvas(msg.hwnd, reinterpret_cast<HDC>(msg.wParam));
        paint(canvas);
        return true;
    }
    return ChildWindow::handleMessage(msg, result);
}

std::wstring Panel::getClassName() const {
    return L"Oskel.Panel";
}

void Panel::afterCreate() {
    setMinWidth(width_);
    setMinHeight(height_);
    setWidth(width_);
    setHeight(height_);
    setEnabled(false);
    ChildWindow::afterCreate();
}

bool Panel::onPaint() {
    gdi::PaintCanvas canvas(getHandle());
    paint(canvas);
    return true;
}

bool Panel::onNcPaint(HRGN) {
    InvalidateRect(getHandle(), nullptr, FALSE);
    return false;
}

// Painting covers the whole client area; erasing it first would only flicker.
bool Panel::onEraseBackground(HDC) {
    return true;
}

void Panel::setBackgroundColor(COLORREF color) {
    backgroundColor_ = color;
    if (isAttached()) {
        InvalidateRect(getHandle(), nullptr, FALSE);
    }
}

void Panel::paint(gdi::Canvas& canvas) {
    RECT client;
    GetClientRect(getHandle(), &client);
    canvas.setBackgroundColor(backgroundColor_);
    canvas.fillRect(gdi::toRect(client));
}

}  // namespace ui::controls
