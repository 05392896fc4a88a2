#include "gdi/Canvas.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Font.hpp"
#include "gdi/Icon.hpp"
#include "gdi/RectWin32.hpp"

#include <algorithm>
#include <cstddef>

namespace gdi {

namespace {

template <typename Handle>
void putBack(HDC dc, Handle saved, UINT type) {
    if (saved != nullptr && GetCurrentObject(dc, type) != saved) {
        SelectObject(dc, saved);
    }
}

}  // namespace

Canvas::Canvas(HWND window, HDC dc)
    : dc_(dc),
      dcBrush_(static_cast<HBRUSH>(GetStockObject(DC_BRUSH))),
      dcPen_(static_cast<HPEN>(GetStockObject(DC_PEN))),
      font_(getDefaultFont()),
      window_(window) {}

Canvas::~Canvas() {
    restoreState();
}

void Canvas::captureState() {
    saved_.canvas = this;
    saved_.brush = static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH));
    saved_.pen = static_cast<HPEN>(GetCurrentObject(dc_, OBJ_PEN));
    saved_.bitmap = static_cast<HBITMAP>(GetCurrentObject(dc_, OBJ_BITMAP));
    saved_.font = static_cast<HFONT>(GetCurrentObject(dc_, OBJ_FONT));
    restored_ = false;
    SelectObject(dc_, dcBrush_);
    SelectObject(dc_, dcPen_);
    SelectObject(dc_, font_->getHandle());
}

void Canvas::restoreState() {
    if (restored_) {
        return;
    }
    restored_ = true;
    putBack(dc_, saved_.brush, OBJ_BRUSH);
    putBack(dc_, saved_.pen, OBJ_PEN);
    putBack(dc_, saved_.bitmap, OBJ_BITMAP);
    putBack(dc_, saved_.font, OBJ_FONT);
}

void Canvas::setBackgroundColor(COLORREF colour) {
    SetDCBrushColor(dc_, colour);
    SetBkColor(dc_, colour);
}

void Canvas::setForegroundColor(COLORREF colour) {
    SetDCPenColor(dc_, colour);
    SetTextColor(dc_, colour);
}

void Canvas::fillRect(const Rect& rect) {
    FillRect(dc_, asRECT(rect), dcBrush_);
}

void Canvas::fillRect(int left, int top, int right, int bottom) {
    const RECT rect{left, top, right + 1, bottom + 1};
    FillRect(dc_, &rect, dcBrush_);
}

void Canvas::drawLine(int x1, int y1, int x2, int y2) {
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

// Each edge leaves out its last pixel, which the next edge starts with.
void Canvas::drawRect(int left, int top, int right, int bottom) {
    drawLine(left, top, right, top);
    drawLine(right, top, right, bottom);
    drawLine(right, bottom, left, bottom);
    drawLine(left, bottom, left, top);
}

void Canvas::drawRect(const Rect& rect) {
    drawRect(rect.left, rect.top, rect.right - 1, rect.bottom - 1);
}

void Canvas::drawFocusRect(const Rect& rect) {
    DrawFocusRect(dc_, asRECT(rect));
}

void Canvas::drawText(const Rect& rect, const std::wstring& text, UINT format) {
    RECT area = toRECT(rect);
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &area, format);
}

Rect Canvas::measureText(const std::wstring& text, UINT format, const Rect& bounds) {
    RECT area{0, 0, 0, 0};
    if (!bounds.isEmpty()) {
        area = toRECT(bounds);
    }
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &area, format | DT_CALCRECT);
    Rect result;
    *asRECT(result) = area;
    return result;
}

Size Canvas::measureTextExtent(const wchar_t* text, int length) {
    SIZE size{0, 0};
    if (length > 0) {
        GetTextExtentPoint32W(dc_, text, length, &size);
    } else {
        size.cy = getTextHeight();
    }
    return Size{size.cx, size.cy};
}

Size Canvas::measureTextExtent(const std::wstring& text) {
    return measureTextExtent(text.data(), static_cast<int>(text.size()));
}

int Canvas::getTextHeight() {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight;
}

void Canvas::selectFont(const std::shared_ptr<Font>& font) {
    if (!font) {
        err::throwInvalidArgument("gdi::Canvas::selectFont", "font");
    }
    SelectObject(dc_, font->getHandle());
    font_ = font;
}

void Canvas::drawImage(const Icon& icon, int x, int y, bool enabled) {
    DrawStateW(dc_, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.getHandle()), 0, x, y, icon.getWidth(),
               icon.getHeight(), DST_ICON | (enabled ? DSS_NORMAL : DSS_DISABLED));
}

void Canvas::copyTo(const Rect& source, Canvas& target, int x, int y) {
    BitBlt(target.dc_, x, y, source.right - source.left, source.bottom - source.top, dc_, source.left, source.top,
           SRCCOPY);
}

namespace {

// An opacity outside 0..1 has no byte value; it is held at the nearest bound.
BYTE alphaOf(double opacity) {
    const double bounded = opacity >= 0 ? (opacity <= 1 ? opacity : 1.0) : 0.0;
    return static_cast<BYTE>(bounded * 255);
}

}  // namespace

void Canvas::blendTo(const Rect& source, Canvas& target, int x, int y, double opacity) {
    BLENDFUNCTION function{};
    function.BlendOp = AC_SRC_OVER;
    function.BlendFlags = 0;
    function.SourceConstantAlpha = alphaOf(opacity);
    function.AlphaFormat = 0;
    const int width = source.right - source.left;
    const int height = source.bottom - source.top;
    AlphaBlend(target.dc_, x, y, width, height, dc_, source.left, source.top, width, height, function);
}

bool Canvas::blendColor(const Rect&, COLORREF, double) {
    return false;
}

// Each channel becomes (colour x alpha + pixel x (255 - alpha)) / 255, rounded: the system's
// constant-alpha blend. The rectangle is in logical units, as for the other drawing.
bool Canvas::blendIntoPixels(void* bits, int width, int height, const Rect& rect, COLORREF colour, double opacity) {
    const HRGN clip = CreateRectRgn(0, 0, 0, 0);
    const int clipped = clip ? GetClipRgn(dc_, clip) : -1;
    if (clip) {
        DeleteObject(clip);
    }
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    if (bits == nullptr || clipped != 0 || !LPtoDP(dc_, corners, 2)) {
        return false;
    }
    const LONG left = std::max(0L, std::min(corners[0].x, corners[1].x));
    const LONG right = std::min(static_cast<LONG>(width), std::max(corners[0].x, corners[1].x));
    const LONG top = std::max(0L, std::min(corners[0].y, corners[1].y));
    const LONG bottom = std::min(static_cast<LONG>(height), std::max(corners[0].y, corners[1].y));
    if (left >= right || top >= bottom) {
        return true;
    }
    const unsigned alpha = alphaOf(opacity);
    // Per channel, what each of its 256 values becomes.
    BYTE blue[256];
    BYTE green[256];
    BYTE red[256];
    for (unsigned c = 0; c < 256; ++c) {
        const unsigned rest = c * (255 - alpha) + 127;
        blue[c] = static_cast<BYTE>((GetBValue(colour) * alpha + rest) / 255);
        green[c] = static_cast<BYTE>((GetGValue(colour) * alpha + rest) / 255);
        red[c] = static_cast<BYTE>((GetRValue(colour) * alpha + rest) / 255);
    }
    GdiFlush();  // drawing not yet done must be in the pixels first
    for (LONG y = top; y < bottom; ++y) {
        BYTE* pixel = static_cast<BYTE*>(bits) + (static_cast<std::ptrdiff_t>(y) * width + left) * 4;
        for (LONG x = left; x < right; ++x, pixel += 4) {
            pixel[0] = blue[pixel[0]];
            pixel[1] = green[pixel[1]];
            pixel[2] = red[pixel[2]];
        }
    }
    return true;
}

}  // namespace gdi
