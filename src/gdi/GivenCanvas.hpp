#pragma once

#include "gdi/Canvas.hpp"

namespace gdi {

// Draws on a device context handed in by someone else (WM_PRINTCLIENT, owner drawing): the
// state is managed, the device context stays with its owner.
class GivenCanvas : public Canvas {
public:
    GivenCanvas(HWND window, HDC dc);
    ~GivenCanvas() override;
};

}  // namespace gdi
