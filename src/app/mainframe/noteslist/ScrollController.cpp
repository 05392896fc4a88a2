#include "app/mainframe/noteslist/ScrollController.hpp"

#include "ui/Window.hpp"

#include <cstdlib>
#include <optional>

namespace app::mainframe::noteslist {

ScrollController::ScrollController(ui::Window& list, scrollcontroller::ListController::ItemHeight ih,
                                   scrollcontroller::ListController::ItemCount ic)
    : list_(list), geometry_(std::move(ih), std::move(ic)), timer_(15, nullptr) {
    // The tick runs on the system's timer thread: it only posts, and posting cannot throw.
    timer_.setCallback([this](std::uint32_t) {
        if (const HWND window = list_.getHandle()) {
            PostMessageW(window, tickMessage, 0, 0);
        }
    });
}

ScrollController::~ScrollController() {
    timer_.stop();
}

HWND ScrollController::getScrollWindow() const {
    return list_.getHandle();
}

int ScrollController::clientHeight() const {
    RECT client{0, 0, 0, 0};
    if (list_.getHandle()) {
        GetClientRect(list_.getHandle(), &client);
    }
    return client.bottom - client.top;
}

void ScrollController::setPosition(int units) {
    stopAnimation();
    geometry_.setFraction(units * 0.01);
    updateScrollPosition();
    repaint();
}

void ScrollController::scrollLines(int lines) {
    scrollBy(lines * linePixels, false, true);
}

void ScrollController::scrollPages(int pages) {
    scrollBy(pages * clientHeight(), false, true);
}

void ScrollController::scrollToEnd() {
    stopAnimation();
    geometry_.scrollTo(geometry_.getEndPosition());
    updateScrollPosition();
    repaint();
}

bool ScrollController::intercept(const MSG& msg, LRESULT& result) {
    if (msg.message != tickMessage) {
        return false;
    }
    tick();
    result = 0;
    return true;
}

void ScrollController::scrollBy(int d, bool immediate, bool accumulate) {
    if (d == 0 || geometry_.count() <= 0) {
        return;
    }
    if (immediate || !smooth_) {
        stopAnimation();
        apply(d);
        return;
    }
    const int now = animation_.start(d, accumulate);
    if (now != 0) {
        apply(now);
        return;
    }
    if (animation_.running()) {
        timer_.start();
    }
}

void ScrollController::stopAnimation() {
    timer_.stop();
    animation_.cancel();
}

// A tick left in the queue after the animation ended finds it idle and does nothing.
void ScrollController::tick() {
    scrollcontroller::ScrollAnimation::Tick step;
    try {
        step = animation_.tick();
    } catch (...) {
        timer_.stop();
        throw;
    }
    if (step.pixels != 0) {
        apply(step.pixels);
    }
    if (step.finished) {
        timer_.stop();
        repaint();
    }
}

// At either end the whole list is painted again; in between only the strip that the
// moved pixels uncover.
void ScrollController::apply(int d) {
    geometry_.scrollBy(d);
    updateScrollPosition();
    const HWND window = list_.getHandle();
    if (!window) {
        return;
    }
    const scrollcontroller::Position position = geometry_.getPosition();
    if ((d < 0 && position == scrollcontroller::Position{}) || (d > 0 && geometry_.isAtMaximum())) {
        repaint();
    } else {
        ScrollWindowEx(window, 0, -d, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    }
}

void ScrollController::ensureVisible(int i, int previous) {
    const int n = geometry_.count();
    if (n <= 0) {
        return;
    }
    if (i <= 0) {
        setPosition(0);
        return;
    }
    if (i >= n - 1) {
        scrollToEnd();
        return;
    }
    RECT window{0, 0, 0, 0};
    if (list_.getHandle()) {
        GetWindowRect(list_.getHandle(), &window);
    }
    const int limit = 2 * (window.bottom - window.top);
    const std::optional<int> d = geometry_.distanceToReveal(i, limit);
    if (d && *d == 0) {
        repaint();
        return;
    }
    if (!d || std::abs(i - previous) >= 2) {
        // Far, or a jump: placed at once, found from the item rather than by walking to it.
        stopAnimation();
        geometry_.scrollTo(geometry_.revealPosition(i, revealMargin));
        updateScrollPosition();
        repaint();
        return;
    }
    scrollBy(*d + (*d < 0 ? -revealMargin : revealMargin), false);
    repaint();
}

void ScrollController::update() {
    geometry_.clampToMaximum();
    range_ = geometry_.getScrollRange();
    showScrollBar(SIF_RANGE | SIF_PAGE | SIF_POS);
}

void ScrollController::updateScrollPosition() {
    showScrollBar(SIF_POS);
}

// Each setting of the bar redraws it at once, which can cost more than painting the list
// (milliseconds under some systems), and one keystroke in the filter bar asks twice: the
// bar is set only where it shows something else.
void ScrollController::showScrollBar(UINT mask) {
    const HWND window = list_.getHandle();
    if (!window) {
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.nMin = 0;
    info.nMax = range_.maximum;
    info.nPage = static_cast<UINT>(range_.page);
    info.nPos = geometry_.getScrollPosition(range_);
    SCROLLINFO shown{};
    shown.cbSize = sizeof shown;
    shown.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (GetScrollInfo(window, SB_VERT, &shown) && shown.nPos == info.nPos
        && (!(mask & SIF_RANGE) || (shown.nMin == info.nMin && shown.nMax == info.nMax))
        && (!(mask & SIF_PAGE) || shown.nPage == info.nPage)) {
        return;
    }
    SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void ScrollController::repaint() {
    if (const HWND window = list_.getHandle()) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

}  // namespace app::mainframe::noteslist
