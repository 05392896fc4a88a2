#pragma once

#include "ui/menu/BasicItem.hpp"

namespace ui::menu {

class ICommand;

// An entry that runs a command. The command belongs to whoever builds the menu and must
// outlive the item.
class Item : public BasicItem {
public:
    explicit Item(ICommand& command);

    unsigned getMenuFlags() const override;
    gdi::Icon getIcon() const override;
    std::wstring getText() const override;
    bool isEnabled() const override;
    virtual void execute();

    ICommand& getCommand() const { return command_; }

private:
    ICommand& command_;
};

}  // namespace ui::menu
