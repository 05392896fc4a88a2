#pragma once

#include "gdi/Canvas.hpp"

namespace gdi {

// Draws into a window's client area outside painting; a null window draws on the screen.
class UpdateCanvas : public Canvas {
public:
    explicit UpdateCanvas(HWND window);
    ~UpdateCanvas() override;
};

}  // namespace gdi
