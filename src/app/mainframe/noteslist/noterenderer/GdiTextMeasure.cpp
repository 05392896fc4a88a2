#include "app/mainframe/noteslist/noterenderer/GdiTextMeasure.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Canvas.hpp"
#include "gdi/Font.hpp"
#include "gdi/MeasuringCanvas.hpp"

namespace app::mainframe::noteslist::noterenderer {

GdiTextMeasure::GdiTextMeasure(std::shared_ptr<gdi::Font> font) : font_(std::move(font)) {
    if (!font_) {
        err::throwInvalidArgument("app::mainframe::noteslist::noterenderer::GdiTextMeasure::GdiTextMeasure", "font");
    }
}

int GdiTextMeasure::characterWidth(char32_t c) {
    gdi::Canvas& canvas = gdi::measuringCanvas();
    canvas.selectFont(font_);
    wchar_t units[2];
    int length = 1;
    if (c >= 0x10000) {
        units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        length = 2;
    } else {
        units[0] = static_cast<wchar_t>(c);
    }
    return canvas.measureTextExtent(units, length).width;
}

int GdiTextMeasure::lineHeight() {
    gdi::Canvas& canvas = gdi::measuringCanvas();
    canvas.selectFont(font_);
    return canvas.measureText(L"Ay", 0, gdi::Rect(0, 0, 1000, 1)).getHeight();
}

}  // namespace app::mainframe::noteslist::noterenderer
