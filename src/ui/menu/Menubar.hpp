#pragma once

#include "ui/menu/BasicMenu.hpp"
#include "ui/menu/Popup.hpp"

#include <memory>
#include <vector>

namespace ui::menu {

// The menu bar of a frame window: plain top-level entries that open owned popups.
class Menubar : public BasicMenu {
public:
    Menubar();
    ~Menubar() override;

    // Takes ownership and installs the popup on the menu bar's window.
    void appendSubmenu(std::unique_ptr<Popup> popup);
    // Sets this menu bar on the window.
    void attach(HWND window);

    // Installs the menu bar and every popup on the target.
    void install(MessageTarget* target) override;
    // The popups handle their own messages.
    bool intercept(const MSG& msg, LRESULT& result) override;

private:
    std::vector<std::unique_ptr<Popup>> popups_;
};

}  // namespace ui::menu
