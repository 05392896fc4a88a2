#include "ControlHost.hpp"
#include "WinTestSupport.hpp"

#include "ui/Control.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/Label.hpp"
#include "ui/controls/Panel.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

// An owner-drawn system button that counts the drawing requests that reach it.
class OwnerDrawnButton : public ui::Control {
public:
    explicit OwnerDrawnButton(ui::Window* parent) : ui::Control(parent) {}
    std::wstring getClassName() const override { return L"Oskel.TestOwnerDrawnButton"; }
    std::wstring getSuperclassName() const override { return L"Button"; }
    unsigned getStyle() const override { return ui::Control::getStyle() | WS_VISIBLE | BS_OWNERDRAW; }

    bool handleMessage(const MSG& msg, LRESULT& result) override {
        if (msg.message == WM_DRAWITEM && reinterpret_cast<const DRAWITEMSTRUCT*>(msg.lParam)->hwndItem == msg.hwnd) {
            ++drawn;
            result = TRUE;
            return true;
        }
        return ui::Control::handleMessage(msg, result);
    }

    int drawn = 0;
};

}  // namespace

// The filter bar's edit sits in a panel: its notifications go to the panel, not to the
// top window, and must still come back to the edit.
TEST(ReflectionTest, ControlsInsideAPanelInsideATopWindowGetTheirOwnNotifications) {
    ControlHost window;
    ui::controls::Panel panel(&window, 300, 200);
    panel.create();
    panel.setBounds(10, 10, 300, 200, true);

    ui::controls::Edit edit(&panel);
    int changes = 0;
    edit.changed.connect([&] { ++changes; });
    edit.create();
    edit.setText(L"typed");
    EXPECT_EQ(1, changes);

    ui::controls::Label label(&panel, L"HHHH");
    label.create();
    label.setBounds(10, 60, 120, 30, true);
    const COLORREF background = RGB(0, 40, 160);
    label.setBackgroundColor(background);
    EXPECT_EQ(background, settledPixel(label.getHandle(), 115, 25, background));

    OwnerDrawnButton button(&panel);
    button.create();
    button.setBounds(10, 100, 80, 30, true);
    EXPECT_TRUE(pumpUntil([&] { return button.drawn > 0; }));
}

// A child window may be a system control whose own system children notify it: those pass
// to default processing. A top window holds only toolkit controls, so there it is a fault.
TEST(ReflectionTest, NotificationsFromUnknownChildrenPassInAChildWindowAndAreReportedInATopWindow) {
    ControlHost window;
    ui::controls::Panel panel(&window, 100, 100);
    panel.create();
    HWND stranger = CreateWindowExW(0, L"Button", L"", WS_CHILD, 0, 0, 10, 10, panel.getHandle(), nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, stranger);
    {
        MessageBoxWatcher watcher;
        SendMessageW(panel.getHandle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(stranger));
        EXPECT_TRUE(watcher.boxes().empty());
        SendMessageW(window.getHandle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(stranger));
        ASSERT_EQ(1u, watcher.boxes().size());
        EXPECT_EQ(L"err::RuntimeException\nFailed to retrieve control.", watcher.boxes()[0].text);
    }
    DestroyWindow(stranger);
}
