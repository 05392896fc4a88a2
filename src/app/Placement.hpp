#pragma once
#include "app/Rect.hpp"

namespace app {

// The rectangle moved, and shrunk where it is larger, so that it lies wholly inside the area:
// a window placed there can always be reached. An inverted rectangle becomes an empty one.
Rect fitIntoArea(const Rect& rect, const Rect& area);

}  // namespace app
