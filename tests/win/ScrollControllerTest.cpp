#include "app/mainframe/noteslist/ScrollController.hpp"

#include "WinTestSupport.hpp"

#include <gtest/gtest.h>

using app::mainframe::noteslist::ScrollController;
using app::mainframe::noteslist::scrollcontroller::Position;
using testing_support::pumpFor;
using testing_support::pumpUntil;
using testing_support::TestTopWindow;

namespace {

class ListWindow : public TestTopWindow {
public:
    ListWindow() : TestTopWindow(L"Oskel.ScrollControllerTest") {}
    unsigned getStyle() const override { return TestTopWindow::getStyle() | WS_VSCROLL; }
};

// A thousand items of 50 rows in a window with a 300-row client area.
class ScrollControllerTest : public testing::Test {
protected:
    ScrollControllerTest() {
        window.create();
        RECT frame{0, 0, 400, 300};
        AdjustWindowRectEx(&frame, window.getStyle(), FALSE, 0);
        SetWindowPos(window.getHandle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(window.getHandle(), &client);
        scroller.install(&window);
        scroller.geometry().setHeight(client.bottom);
        scroller.update();
    }
    ~ScrollControllerTest() override {
        scroller.stopAnimation();
        window.destroy();
    }

    bool settle() {
        return pumpUntil([this] { return !scroller.isAnimating(); }, 3000);
    }
    long long row() const {
        const Position p = scroller.geometry().getPosition();
        return 50LL * p.item + p.offset;
    }
    SCROLLINFO bar() const {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(window.getHandle(), SB_VERT, &info);
        return info;
    }

    ListWindow window;
    int count = 1000;
    int itemHeight = 50;
    ScrollController scroller{window, [this](int) { return itemHeight; }, [this] { return count; }};
};

}  // namespace

TEST_F(ScrollControllerTest, AnimatedScrollsArriveExactlyAndNotchesAddUp) {
    ASSERT_EQ(300, scroller.geometry().getHeight());
    EXPECT_EQ(100000, bar().nMax);
    scroller.scrollLines(2);
    EXPECT_TRUE(scroller.isAnimating());
    ASSERT_TRUE(settle());
    EXPECT_EQ(80, row());
    EXPECT_EQ(160, bar().nPos);
    // A second request while the first still runs adds to what is left.
    scroller.scrollLines(6);
    scroller.scrollLines(6);
    ASSERT_TRUE(settle());
    EXPECT_EQ(80 + 480, row());
    scroller.scrollLines(-100);
    ASSERT_TRUE(settle());
    EXPECT_EQ(0, row());
}

TEST_F(ScrollControllerTest, ImmediateScrollsEndARunningAnimation) {
    scroller.scrollLines(10);
    scroller.scrollToEnd();
    EXPECT_FALSE(scroller.isAnimating());
    pumpFor(200);
    EXPECT_EQ(50000 - 300, row());
    const SCROLLINFO end = bar();
    EXPECT_EQ(end.nMax - static_cast<int>(end.nPage) + 1, end.nPos);
    scroller.setPosition(250);
    EXPECT_EQ((Position{2, 25}), scroller.geometry().getPosition());
    // A stray tick after the end changes nothing.
    SendMessageW(window.getHandle(), ScrollController::tickMessage, 0, 0);
    EXPECT_EQ((Position{2, 25}), scroller.geometry().getPosition());
}

TEST_F(ScrollControllerTest, EnsureVisibleJumpsFarAndGlidesNear) {
    scroller.ensureVisible(500, 2);
    EXPECT_FALSE(scroller.isAnimating());
    ASSERT_TRUE(scroller.geometry().topOf(500).has_value());
    // The next item is just below: revealed smoothly, with the margin below it.
    scroller.ensureVisible(501, 500);
    ASSERT_TRUE(settle());
    EXPECT_EQ(300 - 50 - 16, scroller.geometry().topOf(501).value_or(-1));
    scroller.ensureVisible(0, 501);
    EXPECT_EQ(0, row());
    scroller.ensureVisible(999, 0);
    EXPECT_TRUE(scroller.geometry().isAtMaximum());
}

// The bar is set only where it would show something else: a change of the count alone, of
// the page alone or of the position alone still reaches it.
TEST_F(ScrollControllerTest, TheBarFollowsEachChangeOfCountPageAndPosition) {
    const UINT page = bar().nPage;
    EXPECT_EQ(static_cast<UINT>(scroller.geometry().getScrollBar().page), page);

    count = 400;  // the position stays at the top
    scroller.update();
    EXPECT_EQ(40000, bar().nMax);
    EXPECT_EQ(0, bar().nPos);

    itemHeight = 100;  // the count stays, the page halves
    scroller.update();
    EXPECT_EQ(40000, bar().nMax);
    EXPECT_EQ(static_cast<UINT>(scroller.geometry().getScrollBar().page), bar().nPage);
    EXPECT_LT(bar().nPage, page);

    scroller.setPosition(250);
    EXPECT_EQ(250, bar().nPos);
    scroller.setPosition(0);
    EXPECT_EQ(0, bar().nPos);
}
