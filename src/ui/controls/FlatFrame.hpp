#pragma once

#include "ui/layout/Paddable.hpp"

#include <windows.h>

namespace ui::controls {

// The flat frame of the edits: a one-pixel outline on the window's edge, then a band as wide
// as the paddings, then the client area.
constexpr COLORREF frameColor = RGB(0xC8, 0xC8, 0xC8);
constexpr COLORREF focusedFrameColor = RGB(0x78, 0xA0, 0xCD);

// Takes the outline and the paddings off a proposed client rectangle.
void shrinkByFlatFrame(RECT& client, const layout::Paddable& paddings);
// Draws the outline and the band; the band has the button-face colour while the window is
// disabled or read-only, the window colour otherwise.
void paintFlatFrame(HWND window, bool focused);
// Recalculates and repaints the frame, keeping place, size and Z order.
void refreshFlatFrame(HWND window);

}  // namespace ui::controls
