#include "gdi/MeasuringCanvas.hpp"

#include "gdi/CompatibleCanvas.hpp"

namespace gdi {

Canvas& measuringCanvas() {
    static CompatibleCanvas canvas(nullptr);
    return canvas;
}

}  // namespace gdi
