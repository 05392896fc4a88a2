#include "app/mainframe/noteslist/Palette.hpp"

#include "gdi/Color.hpp"

namespace app::mainframe::noteslist {

Palette Palette::of(app::ColorRef base) {
    Palette p;
    p.base = base;
    p.background = gdi::blend(gdi::desaturate(base, 70), gdi::white, 0.3);
    p.frame = app::rgb(180, 180, 180);
    p.headerBand = gdi::blend(base, gdi::white, 0.04);
    p.title = gdi::blend(base, app::rgb(100, 100, 100), 0.15);
    p.dateTime = gdi::blend(p.title, gdi::white, 0.7);
    p.hiliteFill = gdi::blend(base, gdi::white, 0.12);
    p.hiliteOutline = gdi::blend(base, gdi::white, 0.5);
    p.focusInner = gdi::invert(gdi::blend(base, gdi::white, 0.5));
    p.focusOuter = gdi::invert(gdi::blend(base, gdi::white, 0.2));
    p.emptyText = app::rgb(100, 100, 100);
    return p;
}

}  // namespace app::mainframe::noteslist
