#pragma once

#include "app/mainframe/noteslist/scrollcontroller/ListController.hpp"
#include "app/mainframe/noteslist/scrollcontroller/ScrollAnimation.hpp"
#include "sys/timers/MultimediaTimer.hpp"
#include "ui/MessageInterceptor.hpp"
#include "ui/scroll/Scrollable.hpp"

#include <windows.h>

namespace ui {
class Window;
}

namespace app::mainframe::noteslist {

// Scrolls a list window by pixels: the geometry of a ListController, smooth steps on a
// 15 ms multimedia timer whose ticks come back to the window thread as message 0x466,
// the window's pixels moved with ScrollWindowEx, and its standard scroll bar kept in step.
// Installed on the list window, it takes the tick messages itself.
class ScrollController : public ui::scroll::Scrollable, public ui::MessageInterceptor {
public:
    static constexpr UINT tickMessage = WM_USER + 102;
    static constexpr int linePixels = 40;
    static constexpr int revealMargin = 16;

    ScrollController(ui::Window& list, scrollcontroller::ListController::ItemHeight ih,
                     scrollcontroller::ListController::ItemCount ic);
    ~ScrollController() override;

    scrollcontroller::ListController& geometry() { return geometry_; }
    const scrollcontroller::ListController& geometry() const { return geometry_; }

    HWND getScrollWindow() const override;
    void setPosition(int units) override;
    void scrollLines(int lines) override;
    void scrollPages(int pages) override;
    void scrollToEnd() override;

    bool intercept(const MSG& msg, LRESULT& result) override;

    // Scrolls by d pixels, smoothly unless `immediate`; an immediate scroll ends a running
    // animation. `accumulate` adds a request in the running direction to what is left.
    void scrollBy(int d, bool immediate, bool accumulate = false);
    // Brings item i into view after the focus moved there from `previous`.
    void ensureVisible(int i, int previous);
    // After the items or the viewport changed: clamp, and set the scroll bar's range anew.
    void update();
    // Stops a running animation, for instance while the view is being rebuilt.
    void stopAnimation();
    bool isAnimating() const { return animation_.running(); }
    void setSmoothScrolling(bool smooth) { smooth_ = smooth; }

private:
    void tick();
    void apply(int d);
    void updateScrollPosition();
    void showScrollBar(UINT mask);
    void repaint();
    int clientHeight() const;

    ui::Window& list_;
    scrollcontroller::ListController geometry_;
    scrollcontroller::ScrollAnimation animation_;
    scrollcontroller::ListController::ScrollBar range_;
    sys::timers::MultimediaTimer timer_;
    bool smooth_ = true;
};

}  // namespace app::mainframe::noteslist
