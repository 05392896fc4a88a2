#pragma once

#include "app/Rect.hpp"

namespace app {

// The work area (the screen without the task bar) of the monitor nearest to the rectangle,
// in screen coordinates. With fitIntoArea it keeps a window where the user can reach it.
Rect nearestWorkArea(const Rect& rect);

}  // namespace app
