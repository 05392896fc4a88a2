#include "ui/menu/BasicMenu.hpp"

#include "err/Exceptions.hpp"
#include "ui/Window.hpp"

namespace ui::menu {

namespace {

HMENU requireMenu(HMENU handle) {
    if (handle == nullptr) {
        throw err::SystemException(err::postconditionMessage("ui::menu::BasicMenu::BasicMenu", "hMenu != 0"));
    }
    return handle;
}

}  // namespace

BasicMenu::BasicMenu(HMENU handle) : handle_(requireMenu(handle)) {}

BasicMenu::~BasicMenu() {
    // A menu set on a window dies with the window, and a sub-menu with its parent menu.
    if (IsMenu(handle_)) {
        DestroyMenu(handle_);
    }
}

bool BasicMenu::isEmpty() const {
    return GetMenuItemCount(handle_) <= 0;
}

HWND BasicMenu::getTargetHandle() const {
    const auto* window = dynamic_cast<const Window*>(getTarget());
    return window != nullptr && window->isAttached() ? window->getHandle() : nullptr;
}

}  // namespace ui::menu
