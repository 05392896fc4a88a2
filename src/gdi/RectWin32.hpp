#pragma once

// The Win32 face of gdi::Rect.

#include "gdi/Rect.hpp"

#include <windows.h>

#include <cstddef>

namespace gdi {

static_assert(sizeof(Rect) == sizeof(RECT), "gdi::Rect has the layout of RECT");
static_assert(offsetof(Rect, left) == offsetof(RECT, left) && offsetof(Rect, top) == offsetof(RECT, top)
                  && offsetof(Rect, right) == offsetof(RECT, right) && offsetof(Rect, bottom) == offsetof(RECT, bottom),
              "gdi::Rect has the field order of RECT");

inline RECT toRECT(const Rect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

// Checked: a RECT with inverted sides throws as the Rect constructor does.
inline Rect toRect(const RECT& rect) {
    return Rect(rect.left, rect.top, rect.right, rect.bottom);
}

// Views of a rectangle for the system calls that fill or read a RECT in place.
inline RECT* asRECT(Rect& rect) {
    return reinterpret_cast<RECT*>(&rect);
}

inline const RECT* asRECT(const Rect& rect) {
    return reinterpret_cast<const RECT*>(&rect);
}

// The rectangle with both corners converted from the window's client coordinates to
// screen coordinates.
Rect clientToScreen(const Rect& rect, HWND window);

}  // namespace gdi
