#include "app/mainframe/TrayToggle.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using app::mainframe::deactivationWindowMs;
using app::mainframe::ToggleAction;
using app::mainframe::trayToggleAction;

namespace {

struct Case {
    const char* what;
    bool minimized;
    bool active;
    std::uint32_t lastDeactivation;
    std::uint32_t now;
    ToggleAction expected;
};

}  // namespace

TEST(TrayToggle, DecidesByStateAndTimeSinceDeactivation) {
    constexpr std::uint32_t wrap = 0xFFFFFFFFu;
    const std::vector<Case> cases{
        {"minimised comes back, active or not", true, false, 5000, 5010, ToggleAction::Restore},
        {"minimised and active", true, true, 0, 5000, ToggleAction::Restore},
        {"active window goes down", false, true, 0, 5000, ToggleAction::Minimize},
        {"the click on the tray deactivated it just now", false, false, 5000, 5000, ToggleAction::Minimize},
        {"a slow shell still counts", false, false, 5000, 5000 + 250, ToggleAction::Minimize},
        {"last millisecond of the window", false, false, 5000, 5000 + deactivationWindowMs - 1, ToggleAction::Minimize},
        {"the window has passed", false, false, 5000, 5000 + deactivationWindowMs, ToggleAction::BringToFront},
        {"another program was in front for long", false, false, 5000, 90000, ToggleAction::BringToFront},
        {"never deactivated and not active", false, false, 0, 100, ToggleAction::BringToFront},
        {"tick count wrapped after the deactivation", false, false, wrap - 50, 100, ToggleAction::Minimize},
        {"wrapped, and long ago", false, false, wrap - 50, 400, ToggleAction::BringToFront},
        // A clock read before the deactivation was recorded is far in the past, not near.
        {"now before the recorded tick", false, false, 5000, 4999, ToggleAction::BringToFront},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, trayToggleAction(c.minimized, c.active, c.lastDeactivation, c.now)) << c.what;
    }
}
