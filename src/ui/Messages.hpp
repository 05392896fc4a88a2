#pragma once

#include <windows.h>

namespace ui {

// Posted by a control to its top-level window when it loses the keyboard focus;
// wParam is the control's window handle.
constexpr UINT WM_CONTROLFOCUSLOST = 0x0468;

}  // namespace ui
