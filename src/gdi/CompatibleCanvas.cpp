#include "gdi/CompatibleCanvas.hpp"

#include "err/Exceptions.hpp"

namespace gdi {

CompatibleCanvas::CompatibleCanvas(HDC compatibleWith) : Canvas(nullptr, nullptr) {
    const HDC dc = CreateCompatibleDC(compatibleWith);
    if (dc == nullptr) {
        const DWORD error = GetLastError();
        throw err::SystemException(err::postconditionMessage("gdi::CompatibleCanvas::CompatibleCanvas", "dc != 0"),
                                   error);
    }
    setHandle(dc);
    captureState();
}

CompatibleCanvas::~CompatibleCanvas() {
    restoreState();
    DeleteDC(getHandle());
}

}  // namespace gdi
