#include "ui/menu/Menubar.hpp"

#include "err/Exceptions.hpp"

#include <utility>

namespace ui::menu {

Menubar::Menubar() : BasicMenu(CreateMenu()) {}

Menubar::~Menubar() = default;

void Menubar::appendSubmenu(std::unique_ptr<Popup> popup) {
    if (!popup) {
        err::throwInvalidArgument("ui::menu::Menubar::appendSubmenu", "sub!=0");
    }
    if (getTarget() != nullptr) {
        popup->install(getTarget());
    }
    if (!AppendMenuW(getHandle(), MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup->getHandle()),
                     popup->getText().c_str())) {
        throw err::SystemException(err::postconditionMessage("ui::menu::Menubar::appendSubmenu", "r"));
    }
    popups_.push_back(std::move(popup));
    // A menu bar already on screen shows a new entry only when it is drawn again.
    const HWND window = getTargetHandle();
    if (window != nullptr && GetMenu(window) == getHandle()) {
        DrawMenuBar(window);
    }
}

void Menubar::attach(HWND window) {
    if (!SetMenu(window, getHandle())) {
        throw err::SystemException(err::postconditionMessage("ui::menu::Menubar::attach", "r"));
    }
}

void Menubar::install(MessageTarget* target) {
    BasicMenu::install(target);
    for (const auto& popup : popups_) {
        popup->install(target);
    }
}

bool Menubar::intercept(const MSG&, LRESULT&) {
    return false;
}

}  // namespace ui::menu
