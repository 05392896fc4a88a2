#pragma once

#include "ui/menu/Command.hpp"

namespace ui::menu {

// A command that also tells whether it is checked.
class CheckCommand : public Command {
public:
    CheckCommand(std::string textKey, Action action, Predicate checked, Predicate enabled = Predicate(),
                 const gdi::Icon& icon = gdi::Icon());

    // False without a predicate.
    bool isChecked() const;

private:
    Predicate checked_;
};

}  // namespace ui::menu
