#include "MenuTestSupport.hpp"

#include "ui/input/Accelerators.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"
#include "ui/menu/Popup.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace testing_support;
using ui::input::Accelerators;

namespace {

std::vector<ACCEL> tableOf(const Accelerators& accelerators) {
    const int count = CopyAcceleratorTableW(accelerators.getHandle(), nullptr, 0);
    std::vector<ACCEL> entries(static_cast<size_t>(count));
    CopyAcceleratorTableW(accelerators.getHandle(), entries.data(), count);
    return entries;
}

MSG keyDown(HWND window, WPARAM key) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    return msg;
}

}  // namespace

TEST(AcceleratorTable, EntriesAreNumberedInOrderAndBuiltOnActivation) {
    Accelerators accelerators;
    accelerators.activate();
    EXPECT_EQ(nullptr, accelerators.getHandle());

    accelerators.add(FCONTROL, 'M', [] {});
    accelerators.add(FALT, VK_UP, [] {});
    accelerators.add(0, VK_F1, [] {});
    accelerators.activate();
    const std::vector<ACCEL> entries = tableOf(accelerators);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ('M', entries[0].key);
    EXPECT_EQ(VK_UP, entries[1].key);
    EXPECT_TRUE(entries[1].fVirt & FALT);
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(Accelerators::commandOf(0) + i, entries[i].cmd);
    }
    // Entries added later wait for the next activation.
    accelerators.add(0, VK_F4, [] {});
    EXPECT_EQ(3u, tableOf(accelerators).size());
}

TEST(AcceleratorCommands, OnlyCommandsFromAnAcceleratorRunTheirAction) {
    MenuTestWindow window;
    std::vector<int> ran;
    Accelerators accelerators;
    accelerators.add(0, VK_F3, [&] { ran.push_back(0); });
    accelerators.add(0, VK_F4, [&] { ran.push_back(1); });
    accelerators.add(0, VK_F6, nullptr);
    accelerators.install(&window);
    const HWND hwnd = window.getHandle();

    sendCommand(hwnd, Accelerators::commandOf(1), 1);
    EXPECT_EQ(std::vector<int>{1}, ran);
    // A control's notification with code 1 and numbers past the table pass on.
    sendCommand(hwnd, Accelerators::commandOf(0), 1, reinterpret_cast<LPARAM>(hwnd));
    LRESULT result = 0;
    MSG msg = commandMessage(Accelerators::commandOf(3), 1);
    EXPECT_FALSE(accelerators.intercept(msg, result));
    // An entry without an action is still the accelerators' own command.
    msg = commandMessage(Accelerators::commandOf(2), 1);
    EXPECT_TRUE(accelerators.intercept(msg, result));
    EXPECT_EQ(std::vector<int>{1}, ran);
}

TEST(AcceleratorCommands, AcceleratorAndMenuCommandsWithTheSameNumberDoNotCollide) {
    MenuTestWindow window;
    int acceleratorRuns = 0;
    int menuRuns = 0;
    // The accelerators are installed first, as a frame does.
    Accelerators accelerators;
    accelerators.add(FCONTROL, 'C', [&] { ++acceleratorRuns; });
    accelerators.install(&window);
    ui::menu::Command command("menu.edit.copy", [&] { ++menuRuns; });
    ui::menu::Popup popup("menu.edit");
    const int itemId = append(popup, std::make_unique<ui::menu::Item>(command))->getId();
    popup.install(&window);

    for (const int number : {static_cast<int>(Accelerators::commandOf(0)), itemId}) {
        const bool acceleratorsNumber = number == Accelerators::commandOf(0);
        sendCommand(window.getHandle(), number, 1);
        EXPECT_EQ(acceleratorsNumber ? 1 : 0, acceleratorRuns) << number;
        EXPECT_EQ(0, menuRuns) << number;
        sendCommand(window.getHandle(), number, 0);
        EXPECT_EQ(acceleratorsNumber ? 1 : 0, acceleratorRuns) << number;
        EXPECT_EQ(acceleratorsNumber ? 0 : 1, menuRuns) << number;
        acceleratorRuns = 0;
        menuRuns = 0;
    }
}

TEST(AcceleratorTranslate, AMatchingKeyRunsItsActionEvenBesideADisabledMenuEntryOfTheSameIndex) {
    MenuTestWindow window;
    const HWND hwnd = window.getHandle();
    int runs = 0;
    Accelerators accelerators;
    accelerators.add(0, VK_F1, [&] { ++runs; });
    accelerators.add(0, VK_F2, [&] { ++runs; });
    accelerators.install(&window);
    MSG f1 = keyDown(hwnd, VK_F1);
    EXPECT_FALSE(accelerators.translate(hwnd, &f1)) << "no table before activation";
    accelerators.activate();
    MSG f7 = keyDown(hwnd, VK_F7);
    EXPECT_FALSE(accelerators.translate(hwnd, &f7));
    EXPECT_EQ(0, runs);

    // The system drops an accelerator whose command number names a disabled entry of the
    // window's system menu or menu bar; menu entries are numbered from 0, and every
    // separator, the system menu's included, has number 0.
    const HMENU bar = CreateMenu();
    const HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING | MF_GRAYED, 1, L"Disabled one");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"Menu");
    ASSERT_TRUE(SetMenu(hwnd, bar));
    MSG f2 = keyDown(hwnd, VK_F2);
    EXPECT_TRUE(accelerators.translate(hwnd, &f1));
    EXPECT_TRUE(accelerators.translate(hwnd, &f2));
    EXPECT_EQ(2, runs);
    SetMenu(hwnd, nullptr);
    DestroyMenu(bar);
}
