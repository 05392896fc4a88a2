#include "gdi/RectWin32.hpp"

namespace gdi {

Rect clientToScreen(const Rect& rect, HWND window) {
    POINT topLeft{rect.left, rect.top};
    POINT bottomRight{rect.right, rect.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    Rect result;
    result.left = topLeft.x;
    result.top = topLeft.y;
    result.right = bottomRight.x;
    result.bottom = bottomRight.y;
    return result;
}

}  // namespace gdi
