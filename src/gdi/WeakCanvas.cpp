#include "gdi/WeakCanvas.hpp"

namespace gdi {

WeakCanvas::WeakCanvas(HWND window, HDC dc) : Canvas(window, dc) {}

}  // namespace gdi
