#include "app/mainframe/ThemedDialog.hpp"

#include "err/Exceptions.hpp"
#include "res/StringsBundle.hpp"
#include "ui/layout/BoxLayouts.hpp"

namespace app::mainframe {

ThemedDialog::ThemedDialog(const std::wstring& title, ui::Window* owner, app::ColorRef baseColor, Buttons buttons,
                           ui::Placement placement)
    : Dialog(title, owner), colors_(DialogColors::of(baseColor)), buttons_(buttons), placement_(placement) {}

// The window is destroyed by the dialog built on this class, while its own members and
// handlers still exist.
ThemedDialog::~ThemedDialog() = default;

ui::DialogResult ThemedDialog::run() {
    if (ran_) {
        err::throwInvalidState("app::mainframe::ThemedDialog::run", "!ran");
    }
    ran_ = true;
    createWindow();
    return showModal(placement_);
}

// A dialog that holds something only while its window exists takes it here.
void ThemedDialog::createWindow() {
    create();
}

// A dialog that gives nothing back just closes: the result stays "cancelled".
void ThemedDialog::accept() {
    close();
}

// A child window is made below its elder siblings: the buttons come after the dialog's own
// controls, the panels after every control, and the background, which may lie under the
// whole dialog, last of all.
void ThemedDialog::createFrame() {
    ok_ = std::make_unique<ui::controls::Button>(this, res::getText("ok"), true);
    if (buttons_ == Buttons::okAndCancel) {
        cancel_ = std::make_unique<ui::controls::Button>(this, res::getText("cancel"));
    }
    ok_->create();
    ok_->clicked.connect([this] { accept(); });
    if (cancel_) {
        cancel_->create();
        cancel_->clicked.connect([this] { close(); });
    }

    buttonStrip_.create();
    buttonStrip_.setBackgroundColor(colors_.light2);
    background_.create();
    background_.setBackgroundColor(colors_.light1);
}

// The strip along the bottom of the root pane, its buttons at the right.
ui::layout::Pane& ThemedDialog::addButtonStrip(std::int16_t paddingTop) {
    using ui::layout::Alignment;
    ui::layout::Pane& strip = getRootPane().addPane(ui::layout::Place::bottom,
                                                    ui::layout::HBoxLayout(Alignment::right, Alignment::fill), 0, 0);
    strip.setPaddings(8, paddingTop, 8, 8);
    strip.setContent(&buttonStrip_, false);
    putButtons(strip);
    return strip;
}

void ThemedDialog::putButtons(ui::layout::Pane& pane) {
    pane.put(ok_.get());
    if (cancel_) {
        pane.put(cancel_.get());
    }
}

}  // namespace app::mainframe
