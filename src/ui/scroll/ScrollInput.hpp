#pragma once

#include "ui/MessageInterceptor.hpp"
#include "ui/scroll/WheelAccumulator.hpp"

#include <windows.h>

#include <functional>

namespace ui::scroll {

class Scrollable;

// Turns the vertical scroll bar's messages and the mouse wheel of one window into the
// operations of a Scrollable: arrows by two lines, the page areas by a page, the thumb to
// its track position (or to the end when dragged to the bottom), top and bottom, and
// wheel notches by (lines per notch + 1) x 1.5 lines, or by pages in the page setting.
class ScrollInput : public MessageInterceptor {
public:
    // The system's wheel lines per notch; -1 for a page, 0 for none.
    using WheelLines = std::function<int()>;

    explicit ScrollInput(Scrollable& scrollable, WheelLines wheelLines = systemWheelLines);

    bool intercept(const MSG& msg, LRESULT& result) override;

    // SPI_GETWHEELSCROLLLINES, 3 when the question fails.
    static int systemWheelLines();

private:
    void onScroll(int request);
    void onWheel(int delta);

    Scrollable& scrollable_;
    WheelLines wheelLines_;
    WheelAccumulator wheel_;
};

}  // namespace ui::scroll
