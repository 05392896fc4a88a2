#include "ui/menu/Item.hpp"

#include "gdi/Icon.hpp"
#include "ui/menu/ICommand.hpp"

namespace ui::menu {

Item::Item(ICommand& command) : command_(command) {}

unsigned Item::getMenuFlags() const {
    return MF_OWNERDRAW;
}

gdi::Icon Item::getIcon() const {
    return command_.getIcon();
}

std::wstring Item::getText() const {
    return command_.getText();
}

bool Item::isEnabled() const {
    return command_.isEnabled();
}

void Item::execute() {
    command_.execute();
}

}  // namespace ui::menu
