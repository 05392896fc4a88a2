#include "WinTestSupport.hpp"

#include "err/Exceptions.hpp"
#include "ui/input/Hotkey.hpp"
#include "ui/input/KeyNames.hpp"

#include <gtest/gtest.h>

#include <memory>

using testing_support::messageOf;
using testing_support::TestTopWindow;
using ui::input::Hotkey;

namespace {

// Combinations nobody else on the test display holds.
constexpr unsigned allThree = ui::input::modCtrl | ui::input::modAlt | ui::input::modShift;
constexpr unsigned freeKey = VK_F20;

struct HotkeyWindows : ::testing::Test {
    HotkeyWindows() {
        window.create();
        other.create();
    }
    LRESULT sendHotkey(int id) { return SendMessageW(window.getHandle(), WM_HOTKEY, static_cast<WPARAM>(id), 0); }

    TestTopWindow window;
    TestTopWindow other;
};

}  // namespace

TEST_F(HotkeyWindows, RunsItsActionOnItsOwnIdOnly) {
    int runs = 0;
    Hotkey hotkey(window, allThree, freeKey, [&] { ++runs; });
    testing_support::MessageRecorder after(WM_HOTKEY);
    after.install(&window);

    sendHotkey(hotkey.id() + 1);
    EXPECT_EQ(0, runs);
    EXPECT_EQ(1u, after.seen.size()) << "another id passes on";

    sendHotkey(hotkey.id());
    EXPECT_EQ(1, runs);
    EXPECT_EQ(1u, after.seen.size()) << "its own id is consumed";
}

TEST_F(HotkeyWindows, ObjectsTakeConsecutiveIds) {
    Hotkey first(window, 0, 0, [] {});
    Hotkey second(window, allThree, freeKey, [] {});
    Hotkey third(window, 0, 0, [] {});
    EXPECT_EQ(first.id() + 1, second.id());
    EXPECT_EQ(second.id() + 1, third.id());
}

TEST_F(HotkeyWindows, ACombinationIsRegisteredOnceAndFreedWithItsObject) {
    auto holder = std::make_unique<Hotkey>(
        window, allThree, freeKey, [] {}, true);
    EXPECT_TRUE(holder->equals(freeKey, allThree)) << "the repeat flag is not one of the modifiers";
    EXPECT_FALSE(holder->equals(freeKey, ui::input::modCtrl));
    EXPECT_EQ(allThree, holder->modifiers());
    EXPECT_EQ(freeKey, holder->keyCode());

    const std::string message = messageOf<err::SystemException>([&] { Hotkey again(other, allThree, freeKey, [] {}); });
    EXPECT_EQ(0u, message.find("Can't register hotkey\n(")) << message;

    holder.reset();
    EXPECT_EQ("(nothing thrown)", messageOf([&] { Hotkey again(other, allThree, freeKey, [] {}); }));
}

TEST_F(HotkeyWindows, KeyCodeZeroRegistersNothingAndAnswersNothing) {
    int runs = 0;
    Hotkey inert(window, ui::input::modCtrl, 0, [&] { ++runs; });
    Hotkey alsoInert(other, ui::input::modCtrl, 0, [&] { ++runs; });
    sendHotkey(inert.id());
    EXPECT_EQ(0, runs);
    EXPECT_TRUE(inert.equals(0, ui::input::modCtrl));
}
