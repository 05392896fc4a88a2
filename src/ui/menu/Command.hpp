#pragma once

#include "gdi/Icon.hpp"
#include "ui/menu/ICommand.hpp"

#include <functional>
#include <string>

namespace ui::menu {

// A command made of function objects: what it does and, optionally, when it can be run.
class Command : public ICommand {
public:
    using Action = std::function<void()>;
    using Predicate = std::function<bool()>;

    explicit Command(std::string textKey, Action action = Action(), Predicate enabled = Predicate(),
                     const gdi::Icon& icon = gdi::Icon());

    std::string getTextKey() const override;
    gdi::Icon getIcon() const override;
    // True without a predicate.
    bool isEnabled() const override;
    std::wstring getText() const override;
    // Runs the action only while the command is enabled.
    void execute() override;

private:
    std::string textKey_;
    Action action_;
    Predicate enabled_;
    gdi::Icon icon_;
};

}  // namespace ui::menu
