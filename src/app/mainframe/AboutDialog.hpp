#pragma once

#include "app/Color.hpp"
#include "app/mainframe/ThemedDialog.hpp"
#include "ui/controls/Label.hpp"

#include <memory>

namespace app::mainframe {

// The program's name, version and clipping tip above an OK button, tinted in the colour
// theme. It stores nothing.
class AboutDialog : public ThemedDialog {
public:
    AboutDialog(ui::Window* owner, app::ColorRef baseColor);
    ~AboutDialog() override;

    bool onCreate(CREATESTRUCT* createStruct) override;

private:
    void build();

    std::unique_ptr<ui::controls::Label> text_;
};

}  // namespace app::mainframe
