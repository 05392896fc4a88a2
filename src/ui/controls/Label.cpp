#include "ui/controls/Label.hpp"

#include "gdi/UpdateCanvas.hpp"
#include "gdi/WeakCanvas.hpp"

#include <utility>

namespace ui::controls {

Label::Label(Window* parent, std::wstring text, unsigned style, unsigned exStyle)
    : ChildWindow(parent),
      text_(std::move(text)),
      style_(style),
      exStyle_(exStyle),
      backgroundColor_(GetSysColor(COLOR_BTNFACE)) {}

// The top window sends a static control's colour request on to the control's own window.
bool Label::handleMessage(const MSG& msg, LRESULT& result) {
    if (msg.message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(msg.lParam) == msg.hwnd) {
        gdi::WeakCanvas canvas(msg.hwnd, reinterpret_cast<HDC>(msg.wParam));
        return onCtlColor(canvas, result);
    }
    return ChildWindow::handleMessage(msg, result);
}

std::wstring Label::getClassName() const {
    return L"Oskel.Label";
}

std::wstring Label::getSuperclassName() const {
    return L"Static";
}

unsigned Label::getStyle() const {
    return ChildWindow::getStyle() | style_;
}

unsigned Label::getExStyle() const {
    return exStyle_;
}

void Label::afterCreate() {
    gdi::Rect measured;
    {
        gdi::UpdateCanvas screen(nullptr);
        // SS_CENTER and DT_CENTER share the value 1.
        measured = screen.measureText(text_, style_ & SS_CENTER);
    }
    setWidth(measured.getWidth());
    setHeight(measured.getHeight());
    setMinWidth(10);
    setMinHeight(15);
    setMargins(5, 5, 5, 5);
    setText(text_);
    ChildWindow::afterCreate();
}

bool Label::onCtlColor(gdi::WeakCanvas& canvas, LRESULT& result) {
    canvas.setForegroundColor(textColor_);
    canvas.setBackgroundColor(backgroundColor_);
    result = reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    return true;
}

void Label::setText(const std::wstring& text) {
    text_ = text;
    if (isAttached()) {
        SetWindowTextW(getHandle(), text_.c_str());
        InvalidateRect(getHandle(), nullptr, TRUE);
    }
}

void Label::setTextColor(COLORREF color) {
    textColor_ = color;
    repaint();
}

void Label::setBackgroundColor(COLORREF color) {
    backgroundColor_ = color;
    repaint();
}

// Invalidating without a window would repaint the whole screen.
void Label::repaint() {
    if (isAttached()) {
        InvalidateRect(getHandle(), nullptr, TRUE);
    }
}

}  // namespace ui::controls
