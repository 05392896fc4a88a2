#pragma once

#include "ui/MessageInterceptor.hpp"

#include <windows.h>

namespace ui::menu {

// A menu handle that sees the messages of the window it is installed on. The handle is
// destroyed with the object while it is still a menu.
class BasicMenu : public MessageInterceptor {
public:
    // Takes over `handle`; a null handle throws err::SystemException.
    explicit BasicMenu(HMENU handle);
    ~BasicMenu() override;

    HMENU getHandle() const { return handle_; }
    // The menu has no entries.
    bool isEmpty() const;

protected:
    // The window handle of the installed target, or null when the target is no window or
    // has none yet.
    HWND getTargetHandle() const;

private:
    HMENU handle_;
};

}  // namespace ui::menu
