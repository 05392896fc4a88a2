#pragma once
#include <string>

namespace app {

// The show command of a start with "-m": minimised, not activated. The main window then
// starts hidden, with only its tray icon.
constexpr int hiddenStartShowCommand = 7;

// The show command the main window starts with: hiddenStartShowCommand when the whole
// command line is exactly "-m", else the one the system gave.
int showCommandFor(const std::wstring& commandLine, int given);

// A second start finds the single-instance mutex taken. The first instance may still be
// creating its window or already ending, so the second one looks for the window for a while
// before it gives up.
constexpr unsigned handOffPatience = 5000;  // milliseconds
constexpr unsigned handOffPollInterval = 100;
enum class HandOff { bringForward, keepLooking, giveUp };
HandOff handOffStep(bool windowFound, unsigned elapsedMilliseconds);

}  // namespace app
