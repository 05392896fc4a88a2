#pragma once

#include <string>

namespace gdi {
class Icon;
}

namespace ui::menu {

// Something a menu item or a key can run: it knows its text key, its icon and whether it
// can run now.
class ICommand {
public:
    virtual ~ICommand() = default;

    virtual std::string getTextKey() const = 0;
    virtual gdi::Icon getIcon() const = 0;
    virtual bool isEnabled() const = 0;
    // The string bundle's text for getTextKey().
    virtual std::wstring getText() const = 0;
    virtual void execute() = 0;
};

}  // namespace ui::menu
