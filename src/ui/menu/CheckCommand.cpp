#include "ui/menu/CheckCommand.hpp"

#include <utility>

namespace ui::menu {

CheckCommand::CheckCommand(std::string textKey, Action action, Predicate checked, Predicate enabled,
                           const gdi::Icon& icon)
    : Command(std::move(textKey), std::move(action), std::move(enabled), icon), checked_(std::move(checked)) {}

bool CheckCommand::isChecked() const {
    return checked_ && checked_();
}

}  // namespace ui::menu
