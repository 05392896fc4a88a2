#pragma once

#include "app/Color.hpp"

namespace app::mainframe::noteslist {

// The colours of the notes list, all derived from the theme's base colour.
struct Palette {
    app::ColorRef base = 0;
    app::ColorRef background = 0;  // around and between the items
    app::ColorRef frame = 0;       // the items' one-pixel outline
    app::ColorRef headerBand = 0;
    app::ColorRef title = 0;
    app::ColorRef dateTime = 0;  // the date and time and the tags
    app::ColorRef hiliteFill = 0;
    app::ColorRef hiliteOutline = 0;
    app::ColorRef focusInner = 0;  // the focus rectangle inside the item's edge
    app::ColorRef focusOuter = 0;  // the focus rectangle on the item's edge
    app::ColorRef emptyText = 0;   // the empty-list texts

    static Palette of(app::ColorRef base);
};

// The eight colour themes' base colours.
namespace themes {
constexpr app::ColorRef red = app::rgb(255, 30, 0);
constexpr app::ColorRef orange = app::rgb(255, 100, 0);
constexpr app::ColorRef yellow = app::rgb(220, 200, 30);
constexpr app::ColorRef green = app::rgb(40, 240, 0);
constexpr app::ColorRef cyan = app::rgb(50, 160, 245);
constexpr app::ColorRef blue = app::rgb(0, 90, 240);
constexpr app::ColorRef purple = app::rgb(200, 0, 200);
constexpr app::ColorRef gray = app::rgb(100, 90, 100);
}  // namespace themes

}  // namespace app::mainframe::noteslist
