#pragma once

namespace gdi {

class Canvas;

// One memory canvas, compatible with the screen, kept for the process to measure text on
// without drawing: menus measure every item each time they open. The caller selects the
// font it measures in. User-interface thread only.
Canvas& measuringCanvas();

}  // namespace gdi
