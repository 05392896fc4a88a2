#include "ui/scroll/ScrollInput.hpp"

#include "ui/scroll/Scrollable.hpp"

namespace ui::scroll {

ScrollInput::ScrollInput(Scrollable& scrollable, WheelLines wheelLines)
    : scrollable_(scrollable), wheelLines_(std::move(wheelLines)) {}

int ScrollInput::systemWheelLines() {
    UINT lines = 3;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) {
        return 3;
    }
    return lines == WHEEL_PAGESCROLL ? WheelAccumulator::pageScroll : static_cast<int>(lines);
}

bool ScrollInput::intercept(const MSG& msg, LRESULT& result) {
    // A scroll bar control of its own sends WM_VSCROLL with its handle; only the window's
    // standard bar (no handle) is ours.
    if (msg.message == WM_VSCROLL && msg.lParam == 0) {
        onScroll(LOWORD(msg.wParam));
        result = 0;
        return true;
    }
    if (msg.message == WM_MOUSEWHEEL) {
        onWheel(GET_WHEEL_DELTA_WPARAM(msg.wParam));
        result = 0;
        return true;
    }
    return false;
}

void ScrollInput::onScroll(int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(scrollable_.getScrollWindow(), SB_VERT, &info);
    switch (request) {
    case SB_LINEUP:
        scrollable_.scrollLines(-2);
        break;
    case SB_LINEDOWN:
        scrollable_.scrollLines(2);
        break;
    case SB_PAGEUP:
        scrollable_.scrollPages(-1);
        break;
    case SB_PAGEDOWN:
        scrollable_.scrollPages(1);
        break;
    case SB_THUMBTRACK:
        if (info.nTrackPos == info.nMax - static_cast<int>(info.nPage) + 1) {
            scrollable_.scrollToEnd();
        } else {
            scrollable_.setPosition(info.nTrackPos);
        }
        break;
    case SB_TOP:
        scrollable_.setPosition(0);
        break;
    case SB_BOTTOM:
        scrollable_.scrollToEnd();
        break;
    default:
        break;
    }
}

void ScrollInput::onWheel(int delta) {
    const WheelAccumulator::Scroll scroll = wheel_.add(delta, wheelLines_ ? wheelLines_() : 3);
    if (scroll.lines != 0) {
        scrollable_.scrollLines(scroll.lines);
    }
    if (scroll.pages != 0) {
        scrollable_.scrollPages(scroll.pages);
    }
}

}  // namespace ui::scroll
