#include "ui/scroll/ScrollInput.hpp"
#include "ui/scroll/Scrollable.hpp"

#include "WinTestSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing::ElementsAre;
using testing_support::TestTopWindow;

namespace {

class ScrollingWindow : public TestTopWindow {
public:
    ScrollingWindow() : TestTopWindow(L"Oskel.ScrollInputTest") {}
    unsigned getStyle() const override { return TestTopWindow::getStyle() | WS_VSCROLL; }
};

// Writes down every call, as "lines -2", "pages 1", "position 300" or "end".
class RecordingScrollable : public ui::scroll::Scrollable {
public:
    explicit RecordingScrollable(const ScrollingWindow& window) : window_(window) {}

    HWND getScrollWindow() const override { return window_.getHandle(); }
    void setPosition(int units) override { calls.push_back("position " + std::to_string(units)); }
    void scrollLines(int lines) override { calls.push_back("lines " + std::to_string(lines)); }
    void scrollPages(int pages) override { calls.push_back("pages " + std::to_string(pages)); }
    void scrollToEnd() override { calls.push_back("end"); }

    std::vector<std::string> calls;

private:
    const ScrollingWindow& window_;
};

class ScrollInputTest : public testing::Test {
protected:
    ScrollInputTest() {
        window.create();
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = 1000;
        info.nPage = 101;
        info.nPos = 0;
        SetScrollInfo(window.getHandle(), SB_VERT, &info, FALSE);
        input.install(&window);
    }
    ~ScrollInputTest() override { window.destroy(); }

    void scroll(int request) { SendMessageW(window.getHandle(), WM_VSCROLL, MAKEWPARAM(request, 0), 0); }
    void wheel(int delta) {
        SendMessageW(window.getHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(10, 10));
    }
    void setPosition(int position) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        info.nPos = position;
        SetScrollInfo(window.getHandle(), SB_VERT, &info, FALSE);
    }

    ScrollingWindow window;
    RecordingScrollable scrollable{window};
    int wheelLines = 3;
    ui::scroll::ScrollInput input{scrollable, [this] { return wheelLines; }};
};

}  // namespace

TEST_F(ScrollInputTest, ScrollBarRequests) {
    scroll(SB_LINEUP);
    scroll(SB_LINEDOWN);
    scroll(SB_PAGEUP);
    scroll(SB_PAGEDOWN);
    scroll(SB_TOP);
    scroll(SB_BOTTOM);
    scroll(SB_THUMBPOSITION);
    scroll(SB_ENDSCROLL);
    EXPECT_THAT(scrollable.calls, ElementsAre("lines -2", "lines 2", "pages -1", "pages 1", "position 0", "end"));
}

TEST_F(ScrollInputTest, WheelNotchesAddUpAcrossMessages) {
    wheel(60);
    EXPECT_TRUE(scrollable.calls.empty());
    wheel(60);
    wheel(-240);
    wheelLines = 0;
    wheel(120);
    wheelLines = ui::scroll::WheelAccumulator::pageScroll;
    wheel(120);
    EXPECT_THAT(scrollable.calls, ElementsAre("lines -6", "lines 12", "pages -1"));
}
