// A sample dialog with every control, and an owner-drawn popup menu, captured to PNG files
// beside the test executable for a person to look at; a few pixels are checked exactly.

#include "ControlHost.hpp"
#include "MenuTestSupport.hpp"
#include "ScreenCapture.hpp"
#include "WinTestSupport.hpp"

#include "gdi/Color.hpp"
#include "gdi/Icon.hpp"
#include "ui/Dialog.hpp"
#include "ui/composite/LabeledEdit.hpp"
#include "ui/controls/Button.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/Label.hpp"
#include "ui/controls/Panel.hpp"
#include "ui/controls/RichEdit.hpp"
#include "ui/layout/BorderLayouts.hpp"
#include "ui/layout/BoxLayouts.hpp"
#include "ui/menu/CheckCommand.hpp"
#include "ui/menu/CheckItem.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"
#include "ui/menu/Popup.hpp"

#include <gtest/gtest.h>

#include <atomic>

using namespace ui;
using namespace ui::layout;
using testing_support::windowRect;

namespace {

class SampleDialog : public Dialog {
public:
    SampleDialog() : Dialog(L"Every control", nullptr) {}
    ~SampleDialog() override = default;

    bool onCreate(CREATESTRUCT* createStruct) override {
        const bool handled = Dialog::onCreate(createStruct);
        title = std::make_unique<composite::LabeledEdit>(this, L"Title", composite::LabelPosition::labelTop);
        tags = std::make_unique<composite::LabeledEdit>(this, L"Tags:", composite::LabelPosition::labelLeft);
        link = std::make_unique<composite::LabeledEdit>(this, L"Link:", composite::LabelPosition::labelLeftFill);
        note.create();
        text.create();
        swatch.create();
        ok.create();
        cancel.create();
        strip.create();
        swatch.setBackgroundColor(RGB(0, 90, 240));
        strip.setBackgroundColor(RGB(220, 230, 245));
        text.setText(L"A rich edit with a link: http://example.com\r\nand a second line.");
        tags->getEdit().setText(L"work, ideas");

        Pane& root = getRootPane();
        root.setPaddings(8, 8, 8, 8);
        Pane& top = root.addPane(Place::top, VBoxLayout(Alignment::top, Alignment::fill), 360, 0);
        top.put(title.get());
        top.put(tags.get());
        top.put(link.get());
        top.put(&note);
        root.put(&text, Place::center);
        Pane& bottom = root.addPane(Place::bottom, HBoxLayout(Alignment::right, Alignment::center), 0, 40);
        bottom.setContent(&strip, false);
        bottom.put(&swatch);
        bottom.put(&ok);
        bottom.put(&cancel);
        setDefaultControl(&title->getEdit());
        return handled;
    }

    std::unique_ptr<composite::LabeledEdit> title;
    std::unique_ptr<composite::LabeledEdit> tags;
    std::unique_ptr<composite::LabeledEdit> link;
    controls::Label note{this, L"A label under the edits"};
    controls::RichEdit text{this};
    controls::Panel swatch{this, 40, 24};
    controls::Button ok{this, L"OK", true};
    controls::Button cancel{this, L"Cancel"};
    controls::Panel strip{this, 10, 10};
};

}  // namespace

TEST(VisualCheck, SampleDialogAndOwnerDrawnPopup) {
    SampleDialog dialog;
    dialog.create();
    SetWindowPos(dialog.getHandle(), nullptr, 60, 40, 420, 420, SWP_NOZORDER);
    dialog.show(SW_SHOW);
    SetForegroundWindow(dialog.getHandle());
    dialog.title->getEdit().focus();
    testing_support::pumpFor(300);

    const testing_support::ScreenCapture shot(windowRect(dialog.getHandle()));
    EXPECT_TRUE(shot.savePng(L"visual-dialog.png"));
    const RECT focused = windowRect(dialog.title->getEdit().getHandle());
    const RECT unfocused = windowRect(dialog.tags->getEdit().getHandle());
    EXPECT_EQ(RGB(0x78, 0xA0, 0xCD), shot.pixel(focused.left, focused.top));
    EXPECT_EQ(RGB(0xC8, 0xC8, 0xC8), shot.pixel(unfocused.left, unfocused.top));
    const RECT swatch = windowRect(dialog.swatch.getHandle());
    EXPECT_EQ(RGB(0, 90, 240), shot.pixel(swatch.left + 5, swatch.top + 5));

    bool silent = true;
    menu::CheckCommand checked(
        "menu.options.silentclipping", [] {}, [&silent] { return silent; });
    menu::Command disabled(
        "menu.edit.delete", [] {}, [] { return false; }, gdi::Icon(117, 16, 16));
    menu::Command copy(
        "menu.edit.copy", [] {}, menu::Command::Predicate(), gdi::Icon(134, 16, 16));
    menu::Command red(
        "menu.view.notecolor.red", [] {}, menu::Command::Predicate(), gdi::Icon(111, 16, 16));
    menu::Command blue(
        "menu.view.notecolor.blue", [] {}, menu::Command::Predicate(), gdi::Icon(110, 16, 16));
    menu::Popup popup;
    popup.appendItem(std::make_unique<menu::CheckItem>(checked));
    popup.appendItem(std::make_unique<menu::Item>(disabled));
    popup.appendSeparator();
    popup.appendItem(std::make_unique<menu::Item>(copy));
    auto colours = std::make_unique<menu::Popup>("menu.view.notecolor");
    colours->appendItem(std::make_unique<menu::Item>(red));
    colours->appendItem(std::make_unique<menu::Item>(blue));
    popup.appendSubmenu(std::move(colours));
    popup.install(&dialog);

    // The menu runs its own loop on this thread; the watcher's thread captures it and ends it.
    std::atomic<bool> captured{false};
    COLORREF outline = CLR_INVALID;
    COLORREF fill = CLR_INVALID;
    const HWND owner = dialog.getHandle();
    {
        const HMENU menuHandle = popup.getHandle();
        testing_support::ThreadWindowWatcher watcher(L"#32768", [&](HWND menuWindow, bool first) {
            if (!first) {
                return;
            }
            Sleep(400);
            RECT firstItem{};
            GetMenuItemRect(nullptr, menuHandle, 0, &firstItem);
            const testing_support::ScreenCapture menuShot(windowRect(menuWindow));
            menuShot.savePng(L"visual-menu.png");
            const int x0 = firstItem.left + 1;
            const int y0 = firstItem.top + (firstItem.bottom - firstItem.top - 1) / 2 - 8 - 2;
            outline = menuShot.pixel(x0, y0);
            fill = menuShot.pixel(x0 + 1, y0 + 1);
            captured = true;
            PostMessageW(owner, WM_CANCELMODE, 0, 0);
            PostMessageW(owner, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        const RECT at = windowRect(owner);
        popup.track(at.left + 40, at.top + 80, TPM_LEFTALIGN | TPM_TOPALIGN);
    }

    ASSERT_TRUE(captured);
    const COLORREF base = testing_support::iconColumnColour();
    EXPECT_EQ(gdi::blend(0x005080, base, 0.8, 0), outline);
    EXPECT_EQ(gdi::blend(0x64AAFF, base, 0.6, 0), fill);
}
