#include "app/mainframe/DialogColors.hpp"

#include "gdi/Color.hpp"

namespace app::mainframe {

DialogColors DialogColors::of(app::ColorRef base) {
    DialogColors colors;
    colors.light1 = gdi::desaturate(gdi::blend(base, gdi::white, 0.08), 40);
    colors.light2 = gdi::desaturate(gdi::blend(base, gdi::white, 0.11), 40);
    return colors;
}

}  // namespace app::mainframe
