#pragma once

#include "ui/Control.hpp"
#include "ui/layout/Paddable.hpp"

#include <windows.h>

namespace ui::controls {

constexpr COLORREF frameColor = RGB(0xC8, 0xC8, 0xC8);
constexpr COLORREF focusedFrameColor = RGB(0x78, 0xA0, 0xCD);

// A control with the flat frame of the edits: a one-pixel outline on the window's edge, in
// the focused colour while the control has the focus, then a band as wide as the paddings,
// then the client area. The band has the button-face colour while the window is disabled
// or read-only, the window colour otherwise.
class FramedControl : public Control, public layout::Paddable {
public:
    bool onNcCalcSize(NCCALCSIZE_PARAMS* params, LRESULT& result) override;
    bool onNcPaint(HRGN region) override;
    bool onSetFocus() override;
    bool onKillFocus() override;

protected:
    explicit FramedControl(Window* parent);

    // Recalculates and repaints the frame, keeping place, size and Z order.
    void refreshFrame();

private:
    bool focused_ = false;
};

}  // namespace ui::controls
