#include "ui/menu/Command.hpp"

#include "res/StringsBundle.hpp"

#include <utility>

namespace ui::menu {

Command::Command(std::string textKey, Action action, Predicate enabled, const gdi::Icon& icon)
    : textKey_(std::move(textKey)), action_(std::move(action)), enabled_(std::move(enabled)), icon_(icon) {}

std::string Command::getTextKey() const {
    return textKey_;
}

gdi::Icon Command::getIcon() const {
    return icon_;
}

bool Command::isEnabled() const {
    return !enabled_ || enabled_();
}

std::wstring Command::getText() const {
    return res::getText(textKey_);
}

void Command::execute() {
    if (action_ && isEnabled()) {
        action_();
    }
}

}  // namespace ui::menu
