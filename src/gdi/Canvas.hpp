#pragma once

#include "gdi/Rect.hpp"

#include <windows.h>

#include <memory>
#include <string>

namespace gdi {

class Font;
class Icon;

// A device context put into a known state for drawing: the stock DC brush and DC pen and
// the current font are selected when the canvas is made, and the brush, pen, bitmap and
// font found there are put back, once, when it ends. Each kind ties the device context to
// one way of obtaining and releasing it.
class Canvas {
public:
    virtual ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC getHandle() const { return dc_; }
    HWND getWindow() const { return window_; }
    const std::shared_ptr<Font>& getFont() const { return font_; }

    // The DC brush colour and the text background colour.
    void setBackgroundColor(COLORREF colour);
    // The DC pen colour and the text colour.
    void setForegroundColor(COLORREF colour);

    void fillRect(const Rect& rect);
    // Corners inclusive.
    void fillRect(int left, int top, int right, int bottom);
    // The last pixel is not drawn.
    void drawLine(int x1, int y1, int x2, int y2);
    // Corners inclusive.
    void drawRect(int left, int top, int right, int bottom);
    void drawRect(const Rect& rect);
    void drawFocusRect(const Rect& rect);

    void drawText(const Rect& rect, const std::wstring& text, UINT format);
    // The rectangle the text needs, laid out from the bounding rectangle (or from the origin
    // when that is empty).
    Rect measureText(const std::wstring& text, UINT format, const Rect& bounds = Rect());
    // The width and height of a run of text on one line in the current font, tabs and
    // line breaks not interpreted; a cheaper question than measureText.
    Size measureTextExtent(const wchar_t* text, int length);
    Size measureTextExtent(const std::wstring& text);
    int getTextHeight();
    void selectFont(const std::shared_ptr<Font>& font);

    void drawImage(const Icon& icon, int x, int y, bool enabled);

    void copyTo(const Rect& source, Canvas& target, int x, int y);
    // Blends the source rectangle onto the target with one opacity (0..1) for all pixels.
    void blendTo(const Rect& source, Canvas& target, int x, int y, double opacity);
    // Blends one colour onto a rectangle with one opacity (0..1), as blendTo from a canvas
    // filled with that colour does, by working on the pixels directly: many times quicker.
    // Only where the kind of canvas has its pixels at hand (a back buffer) and no clipping
    // region is selected; false otherwise, and nothing is drawn then.
    virtual bool blendColor(const Rect& rect, COLORREF colour, double opacity);

protected:
    // blendColor on the canvas's bitmap, of 32-bit pixels in rows from the top, at `bits`.
    bool blendIntoPixels(void* bits, int width, int height, const Rect& rect, COLORREF colour, double opacity);

    // Manages no state until captureState is called.
    Canvas(HWND window, HDC dc);

    void setHandle(HDC dc) { dc_ = dc; }
    // Remembers the current brush, pen, bitmap and font, then selects the DC brush, the DC
    // pen and the current font. The kinds call it as the last step of their construction.
    void captureState();
    // Puts the remembered objects back, once; the kinds call it before releasing the
    // device context.
    void restoreState();

private:
    struct SavedState {
        Canvas* canvas = nullptr;
        HBRUSH brush = nullptr;
        HPEN pen = nullptr;
        HBITMAP bitmap = nullptr;
        HFONT font = nullptr;
    };

    HDC dc_;
    bool restored_ = true;
    SavedState saved_;
    HBRUSH dcBrush_;
    HPEN dcPen_;
    std::shared_ptr<Font> font_;
    HWND window_;
};

}  // namespace gdi
