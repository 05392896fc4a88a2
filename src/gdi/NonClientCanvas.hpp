#pragma once

#include "gdi/Canvas.hpp"

namespace gdi {

// Draws on the whole window, frame included; (0, 0) is the window's top-left corner.
class NonClientCanvas : public Canvas {
public:
    explicit NonClientCanvas(HWND window);
    ~NonClientCanvas() override;
};

}  // namespace gdi
