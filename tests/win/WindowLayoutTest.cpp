#include "ControlHost.hpp"
#include "ScreenCapture.hpp"
#include "WinTestSupport.hpp"

#include "ui/Control.hpp"
#include "ui/controls/Panel.hpp"
#include "ui/layout/BorderLayouts.hpp"
#include "ui/layout/BoxLayouts.hpp"
#include "ui/layout/Pane.hpp"

#include <gtest/gtest.h>

using namespace ui::layout;
using testing_support::expectPlace;

namespace {

class Box : public ui::Control {
public:
    Box(ui::Window* parent, int width, int height) : ui::Control(parent), width_(width), height_(height) {}
    std::wstring getClassName() const override { return L"Oskel.LayoutBox"; }
    void afterCreate() override {
        ui::Control::afterCreate();
        setWidth(width_);
        setHeight(height_);
        setMargins(4, 4, 4, 4);
    }

private:
    int width_;
    int height_;
};

}  // namespace

// A window of 400 x 300 client pixels: a toolbar row on top, a sidebar on the left and the
// rest for the centre; the centre stretches, the rest keep their sizes.
TEST(WindowLayoutTest, RealChildWindowsArePlacedByNestedPanes) {
    testing_support::TestTopWindow window(L"Oskel.LayoutTestWindow");
    window.create();
    window.show(SW_SHOW);

    Box button1(&window, 60, 24);
    Box button2(&window, 80, 24);
    Box sidebar(&window, 100, 50);
    Box centre(&window, 50, 50);
    for (Box* box : {&button1, &button2, &sidebar, &centre}) {
        box->create();
    }
    centre.setMinWidth(30);

    Pane root(VBorderLayout(), 0, 0);
    Pane& toolbar = root.addPane(Place::top, HBoxLayout(Alignment::right, Alignment::center), 0, 40);
    toolbar.setPaddings(0, 0, 10, 0);
    toolbar.put(&button1);
    toolbar.put(&button2);
    Pane& body = root.addPane(Place::center, HBorderLayout(), 0, 0);
    body.put(&sidebar, Place::left);
    body.put(&centre, Place::center);

    root.setBounds(0, 0, 400, 300, true);

    // Row of 68 + 88 = 156 outer pixels ending 10 pixels before the right edge.
    expectPlace(button1, 400 - 10 - 156 + 4, 40 / 2 - 32 / 2 + 4, 60, 24);
    expectPlace(button2, 400 - 10 - 88 + 4, 8, 80, 24);
    expectPlace(sidebar, 4, 44, 100, 300 - 44 - 4);
    expectPlace(centre, 112, 44, 400 - 4 - 112, 300 - 44 - 4);

    // Placing again with the same bounds moves nothing, even a window moved behind the
    // layout's back.
    SetWindowPos(centre.getHandle(), nullptr, 0, 0, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    root.setBounds(0, 0, 400, 300, true);
    expectPlace(centre, 0, 0, 10, 10);

    // Narrower than the toolbar row (166 outer pixels with its padding), the panes are laid
    // out at that minimum and overflow the window: the sidebar keeps its width and the centre
    // gets what is left of the 166.
    root.setBounds(0, 0, 150, 300, true);
    expectPlace(sidebar, 4, 44, 100, 300 - 44 - 4);
    expectPlace(centre, 112, 44, 166 - 4 - 112, 300 - 44 - 4);

    // The centre never shrinks below its own minimum.
    centre.setMinWidth(80);
    root.setBounds(0, 0, 160, 300, true);
    expectPlace(centre, 112, 44, 80, 300 - 44 - 4);
}

// A visible child moves with its drawing switched off; the place it leaves must still be
// repainted by its parent, and the place it takes by itself.
TEST(WindowLayoutTest, AMovedChildLeavesNoTraceBehind) {
    class PaintedWindow : public testing_support::TestTopWindow {
    public:
        PaintedWindow() : testing_support::TestTopWindow(L"Oskel.PaintedWindow") {}
        bool onEraseBackground(HDC dc) override {
            RECT client;
            GetClientRect(getHandle(), &client);
            HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
            FillRect(dc, &client, brush);
            DeleteObject(brush);
            return true;
        }
    } window;
    window.create();
    SetWindowPos(window.getHandle(), HWND_TOP, 50, 50, 300, 250, SWP_SHOWWINDOW);
    ui::controls::Panel panel(&window, 60, 60);
    panel.create();
    panel.setBackgroundColor(RGB(200, 0, 0));
    panel.setBounds(10, 10, 60, 60, true);
    testing_support::pumpFor(300);

    panel.setBounds(150, 120, 60, 60, true);
    testing_support::pumpFor(300);

    POINT left{20, 20};
    POINT taken{170, 140};
    ClientToScreen(window.getHandle(), &left);
    ClientToScreen(window.getHandle(), &taken);
    RECT area;
    GetWindowRect(window.getHandle(), &area);
    const testing_support::ScreenCapture shot(area);
    EXPECT_EQ(RGB(255, 255, 255), shot.pixel(left.x, left.y));
    EXPECT_EQ(RGB(200, 0, 0), shot.pixel(taken.x, taken.y));
}
