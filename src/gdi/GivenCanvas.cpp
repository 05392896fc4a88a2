#include "gdi/GivenCanvas.hpp"

namespace gdi {

GivenCanvas::GivenCanvas(HWND window, HDC dc) : Canvas(window, dc) {
    captureState();
}

GivenCanvas::~GivenCanvas() {
    restoreState();
}

}  // namespace gdi
