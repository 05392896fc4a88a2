#pragma once

#include "gdi/Canvas.hpp"

namespace gdi {

// Borrows a device context and manages nothing: it selects nothing when made and restores
// nothing when it ends.
class WeakCanvas : public Canvas {
public:
    WeakCanvas(HWND window, HDC dc);
};

}  // namespace gdi
