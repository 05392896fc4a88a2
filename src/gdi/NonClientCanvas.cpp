#include "gdi/NonClientCanvas.hpp"

#include "err/Exceptions.hpp"

namespace gdi {

NonClientCanvas::NonClientCanvas(HWND window) : Canvas(window, nullptr) {
    const HDC dc = GetWindowDC(window);
    if (dc == nullptr) {
        const DWORD error = GetLastError();
        throw err::SystemException(err::postconditionMessage("gdi::NonClientCanvas::NonClientCanvas", "dc != 0"),
                                   error);
    }
    setHandle(dc);
    captureState();
}

NonClientCanvas::~NonClientCanvas() {
    restoreState();
    ReleaseDC(getWindow(), getHandle());
}

}  // namespace gdi
