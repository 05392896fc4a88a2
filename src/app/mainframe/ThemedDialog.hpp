#pragma once

#include "app/Color.hpp"
#include "app/mainframe/DialogColors.hpp"
#include "ui/Dialog.hpp"
#include "ui/controls/Button.hpp"
#include "ui/controls/Panel.hpp"
#include "ui/layout/Pane.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace app::mainframe {

// A dialog of the main window, tinted in the colour theme: its own controls on a pale
// background above a slightly stronger strip holding OK and, unless the dialog has only OK,
// Cancel. A dialog built on it makes its controls, then calls createFrame(), then lays
// them out with the panels and the strip this class holds.
class ThemedDialog : public ui::Dialog {
public:
    ~ThemedDialog() override = 0;

    // Shows the dialog modally; once per object.
    ui::DialogResult run();

protected:
    enum class Buttons { okOnly, okAndCancel };

    ThemedDialog(const std::wstring& title, ui::Window* owner, app::ColorRef baseColor,
                 Buttons buttons = Buttons::okAndCancel, ui::Placement placement = ui::Placement::centered);

    // Makes the window for run().
    virtual void createWindow();
    // What OK does.
    virtual void accept();

    void createFrame();
    ui::layout::Pane& addButtonStrip(std::int16_t paddingTop = 8);
    void putButtons(ui::layout::Pane& pane);

    const DialogColors& getColors() const { return colors_; }
    ui::controls::Panel& getBackground() { return background_; }
    ui::controls::Panel& getButtonStrip() { return buttonStrip_; }
    ui::controls::Button& getOkButton() { return *ok_; }

private:
    DialogColors colors_;
    Buttons buttons_;
    ui::Placement placement_;
    bool ran_ = false;
    std::unique_ptr<ui::controls::Button> ok_;
    std::unique_ptr<ui::controls::Button> cancel_;
    ui::controls::Panel background_{this, 10, 10};
    ui::controls::Panel buttonStrip_{this, 10, 10};
};

}  // namespace app::mainframe
