#pragma once

#include "app/Color.hpp"

namespace app::mainframe {

// The two tints of the main window's dialogs, derived from the theme's base colour: a pale,
// slightly greyed version of it behind the fields, and a little stronger one behind the
// buttons.
struct DialogColors {
    app::ColorRef light1 = 0;  // the dialog's background
    app::ColorRef light2 = 0;  // the button strip's background

    static DialogColors of(app::ColorRef base);
};

}  // namespace app::mainframe
