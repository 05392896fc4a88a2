#pragma once

#include <cstdint>

namespace app::mainframe {

// What a click on the tray icon does to the main window.
enum class ToggleAction { Restore, Minimize, BringToFront };

// How long after the main window lost the activation a tray click still counts as a click
// on the active window: pressing the tray icon deactivates the window before the click
// arrives, and the shell may take a few hundred milliseconds to deliver it.
constexpr unsigned deactivationWindowMs = 300;

// `lastDeactivationTick` is the tick count (milliseconds, wrapping at 2^32) when the window
// was last deactivated, 0 while it is active or was never deactivated.
ToggleAction trayToggleAction(bool minimized, bool active, std::uint32_t lastDeactivationTick, std::uint32_t now);

}  // namespace app::mainframe
