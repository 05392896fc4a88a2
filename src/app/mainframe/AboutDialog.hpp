#pragma once

#include "app/Color.hpp"
#include "app/mainframe/DialogColors.hpp"
#include "ui/Dialog.hpp"
#include "ui/controls/Button.hpp"
#include "ui/controls/Label.hpp"
#include "ui/controls/Panel.hpp"

#include <memory>

namespace app::mainframe {

// The program's name, version and clipping tip above an OK button, tinted in the colour
// theme. It stores nothing.
class AboutDialog : public ui::Dialog {
public:
    AboutDialog(ui::Window* owner, app::ColorRef baseColor);
    ~AboutDialog() override;

    // Shows the dialog modally, centred on its owner; once per object.
    ui::DialogResult run();

    bool onCreate(CREATESTRUCT* createStruct) override;

private:
    void build();

    DialogColors colors_;
    bool ran_ = false;
    std::unique_ptr<ui::controls::Label> text_;
    std::unique_ptr<ui::controls::Button> ok_;
    ui::controls::Panel background_{this, 10, 10};
    ui::controls::Panel buttonStrip_{this, 10, 10};
};

}  // namespace app::mainframe
