#include "app/mainframe/TrayToggle.hpp"

namespace app::mainframe {

// The elapsed time is the unsigned difference, which stays right when the tick count
// wraps between the deactivation and the click.
ToggleAction trayToggleAction(bool minimized, bool active, std::uint32_t lastDeactivationTick, std::uint32_t now) {
    if (minimized) {
        return ToggleAction::Restore;
    }
    if (active) {
        return ToggleAction::Minimize;
    }
    if (lastDeactivationTick != 0) {
        const std::uint32_t elapsed = now - lastDeactivationTick;
        if (elapsed < deactivationWindowMs) {
            return ToggleAction::Minimize;
        }
    }
    return ToggleAction::BringToFront;
}

}  // namespace app::mainframe
