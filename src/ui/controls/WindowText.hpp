#pragma once

#include <windows.h>

#include <string>

namespace ui::controls {

// The whole text of a window; empty for a window without text or without a handle.
std::wstring getWindowText(HWND window);

}  // namespace ui::controls
