#include "app/mainframe/AboutDialog.hpp"

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
    : ThemedDialog(res::getText("about.title"), owner, baseColor, Buttons::okOnly) {}

AboutDialog::~AboutDialog() {
    if (isAttached()) {
        destroy();
    }
}

bool AboutDialog::onCreate(CREATESTRUCT* createStruct) {
    // The starting size; the layout grows the window to fit the measured text.
    SetWindowPos(getHandle(), nullptr, 0, 0, 350, 160, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    build();
    setSmallIcon(applicationIconResource);
    setBigIcon(applicationIconResource);
    return ThemedDialog::onCreate(createStruct);
}

void AboutDialog::build() {
    text_ = std::make_unique<ui::controls::Label>(this, res::getText("about.text"), SS_CENTER);
    text_->create();
    text_->setBackgroundColor(getColors().light1);
    text_->setMargins(10, 20, 10, 10);
    createFrame();

    ui::layout::Pane& root = getRootPane();
    root.setLayout(ui::layout::VBorderLayout());
    ui::layout::Pane& center =
        root.addPane(Place::center, ui::layout::VBoxLayout(Alignment::center, Alignment::center), 0, 0);
    center.setContent(&getBackground(), false);
    center.put(text_.get());
    addButtonStrip();

    setDefaultControl(&getOkButton());
}

}  // namespace app::mainframe
