#include "gdi/UpdateCanvas.hpp"

#include "err/Exceptions.hpp"

namespace gdi {

UpdateCanvas::UpdateCanvas(HWND window) : Canvas(window, nullptr) {
    const HDC dc = GetDC(window);
    if (dc == nullptr) {
        const DWORD error = GetLastError();
        throw err::SystemException(err::postconditionMessage("gdi::UpdateCanvas::UpdateCanvas", "dc != 0"), error);
    }
    setHandle(dc);
    captureState();
}

UpdateCanvas::~UpdateCanvas() {
    restoreState();
    ReleaseDC(getWindow(), getHandle());
}

}  // namespace gdi
