#include "app/mainframe/AboutDialog.hpp"

#include "err/Exceptions.hpp"
#include "res/StringsBundle.hpp"
#include "ui/layout/BorderLayouts.hpp"
#include "ui/layout/BoxLayouts.hpp"

namespace app::mainframe {

namespace {

using ui::layout::Alignment;
using ui::layout::Place;

constexpr int applicationIconResource = 1;

}  // namespace

AboutDialog::AboutDialog(ui::Window* owner, app::ColorRef baseColor)
    : Dialog(res::getText("about.title"), owner), colors_(DialogColors::of(baseColor)) {}

AboutDialog::~AboutDialog() {
    if (isAttached()) {
        destroy();
    }
}

ui::DialogResult AboutDialog::run() {
    if (ran_) {
        err::throwInvalidState("app::mainframe::AboutDialog::run", "!ran");
    }
    ran_ = true;
    create();
    return showModal(ui::Placement::centered);
}

bool AboutDialog::onCreate(CREATESTRUCT* createStruct) {
    // The starting size; the layout grows the window to fit the measured text.
    SetWindowPos(getHandle(), nullptr, 0, 0, 350, 160, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    build();
    setSmallIcon(applicationIconResource);
    setBigIcon(applicationIconResource);
    return Dialog::onCreate(createStruct);
}

void AboutDialog::build() {
    text_ = std::make_unique<ui::controls::Label>(this, res::getText("about.text"), SS_CENTER);
    text_->create();
    text_->setBackgroundColor(colors_.light1);
    text_->setMargins(10, 20, 10, 10);

    ok_ = std::make_unique<ui::controls::Button>(this, res::getText("ok"), true);
    ok_->create();
    ok_->clicked.connect([this] { close(); });

    // A child window is made below its elder siblings: the panels come last.
    background_.create();
    background_.setBackgroundColor(colors_.light1);
    buttonStrip_.create();
    buttonStrip_.setBackgroundColor(colors_.light2);

    ui::layout::Pane& root = getRootPane();
    root.setLayout(ui::layout::VBorderLayout());
    ui::layout::Pane& center =
        root.addPane(Place::center, ui::layout::VBoxLayout(Alignment::center, Alignment::center), 0, 0);
    center.setContent(&background_, false);
    center.put(text_.get());
    ui::layout::Pane& buttons =
        root.addPane(Place::bottom, ui::layout::HBoxLayout(Alignment::right, Alignment::fill), 0, 0);
    buttons.setPaddings(8, 8, 8, 8);
    buttons.setContent(&buttonStrip_, false);
    buttons.put(ok_.get());

    setDefaultControl(ok_.get());
}

}  // namespace app::mainframe
