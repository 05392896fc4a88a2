#include "ui/scroll/WheelAccumulator.hpp"

namespace ui::scroll {

WheelAccumulator::Scroll WheelAccumulator::add(int delta, int linesPerNotch) {
    Scroll scroll;
    if (linesPerNotch == 0) {
        return scroll;
    }
    accumulated_ += delta;
    const int notches = accumulated_ / notch;
    accumulated_ %= notch;
    if (notches == 0) {
        return scroll;
    }
    if (linesPerNotch == pageScroll || linesPerNotch < 0) {
        scroll.pages = -notches;
        return scroll;
    }
    // (lines + 1) * notches * 1.5 without floating point: (3 * (lines + 1) * notches) / 2,
    // truncated toward zero as the product would be.
    const long long amount = 3LL * (static_cast<long long>(linesPerNotch) + 1) * notches / 2;
    scroll.lines = -static_cast<int>(amount);
    return scroll;
}

}  // namespace ui::scroll
