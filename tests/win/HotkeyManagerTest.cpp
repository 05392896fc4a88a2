#include "WinTestSupport.hpp"
#include "unit/TempFolder.hpp"

#include "app/Settings.hpp"
#include "app/mainframe/HotkeyManager.hpp"
#include "err/Exceptions.hpp"
#include "ui/input/Hotkey.hpp"
#include "ui/input/KeyNames.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

using app::Settings;
using app::mainframe::HotkeyManager;
using testing_support::messageOf;
using testing_support::TestTopWindow;
using ui::input::Hotkey;

namespace {

constexpr unsigned allThree = ui::input::modCtrl | ui::input::modAlt | ui::input::modShift;
constexpr unsigned showKey = VK_F21;
constexpr unsigned newNoteKey = VK_F22;
constexpr unsigned spareKey = VK_F23;
constexpr unsigned otherSpareKey = VK_F24;

using Combination = std::pair<unsigned, unsigned>;

// A settings file of its own in a fresh folder, gone with the object.
struct PrivateSettings {
    int get(const char* key) const { return settings->get<int>(key, -1); }
    Combination stored() const { return {get(Settings::showHotkeyKey), get(Settings::showHotkeyModifiersKey)}; }

    testing_support::TempFolder folder;
    std::unique_ptr<Settings> settings = std::make_unique<Settings>(folder.file(L"varnel.settings"));
};

struct HotkeyManagerTest : ::testing::Test {
    HotkeyManagerTest() {
        window.create();
        elsewhere.create();
        settings().set<int>(Settings::showHotkeyKey, showKey);
        settings().set<int>(Settings::showHotkeyModifiersKey, allThree);
        settings().set<int>(Settings::newNoteHotkeyKey, newNoteKey);
        settings().set<int>(Settings::newNoteHotkeyModifiersKey, allThree);
    }
    Settings& settings() { return *file.settings; }
    // Whether another window can take the combination now.
    bool isFree(unsigned key, unsigned modifiers) {
        return messageOf([&] { Hotkey probe(elsewhere, modifiers, key, [] {}); }) == "(nothing thrown)";
    }

    PrivateSettings file;
    TestTopWindow window;
    TestTopWindow elsewhere;
};

}  // namespace

TEST_F(HotkeyManagerTest, RegistersBothStoredKeysAndRaisesTheirSignals) {
    Hotkey before(window, 0, 0, [] {});
    HotkeyManager manager(window, settings());
    EXPECT_EQ(Combination(showKey, allThree), manager.showHotkey());
    EXPECT_EQ(Combination(newNoteKey, allThree), manager.newNoteHotkey());
    EXPECT_TRUE(manager.failedAtStart().empty());
    EXPECT_FALSE(isFree(showKey, allThree));
    EXPECT_FALSE(isFree(newNoteKey, allThree));

    // Ids are handed out in creation order: the show key's, then the new-note key's.
    int shows = 0;
    int newNotes = 0;
    manager.showRequested.connect([&] { ++shows; });
    manager.newNoteRequested.connect([&] { ++newNotes; });
    SendMessageW(window.getHandle(), WM_HOTKEY, static_cast<WPARAM>(before.id() + 2), 0);
    EXPECT_EQ(0, shows);
    EXPECT_EQ(1, newNotes);
    SendMessageW(window.getHandle(), WM_HOTKEY, static_cast<WPARAM>(before.id() + 1), 0);
    EXPECT_EQ(1, shows);
    EXPECT_EQ(1, newNotes);
}

TEST_F(HotkeyManagerTest, ATakenKeyAtStartDisablesOnlyItselfAndIsReported) {
    Hotkey taken(elsewhere, allThree, showKey, [] {});
    HotkeyManager manager(window, settings());
    EXPECT_EQ(Combination(0, 0), manager.showHotkey());
    EXPECT_EQ(Combination(newNoteKey, allThree), manager.newNoteHotkey());
    ASSERT_EQ(1u, manager.failedAtStart().size());
    EXPECT_EQ(L"Ctrl + Alt + Shift + F21", manager.failedAtStart().front());
    // The stored key stays, to be tried again at the next start.
    EXPECT_EQ(Combination(showKey, allThree), file.stored());
}

TEST_F(HotkeyManagerTest, AStoredValueThatIsNoKeyLeavesOnlyThatHotkeyAbsent) {
    settings().set<std::wstring>(Settings::showHotkeyKey, L"F12");
    {
        HotkeyManager manager(window, settings());
        EXPECT_EQ(Combination(0, 0), manager.showHotkey());
        EXPECT_EQ(Combination(newNoteKey, allThree), manager.newNoteHotkey());
        EXPECT_TRUE(manager.failedAtStart().empty());
    }
    settings().set<int>(Settings::showHotkeyKey, 300);
    settings().set<int>(Settings::newNoteHotkeyModifiersKey, 0x4002);
    HotkeyManager outOfRange(window, settings());
    EXPECT_EQ(Combination(0, 0), outOfRange.showHotkey());
    EXPECT_EQ(Combination(0, 0), outOfRange.newNoteHotkey());
    EXPECT_TRUE(outOfRange.failedAtStart().empty());
    EXPECT_TRUE(isFree(newNoteKey, allThree));
}

TEST_F(HotkeyManagerTest, ANewKeyReplacesTheOldOneAndIsStored) {
    HotkeyManager manager(window, settings());
    manager.setShowHotkey(spareKey, allThree);
    EXPECT_EQ(Combination(spareKey, allThree), manager.showHotkey());
    EXPECT_EQ(Combination(spareKey, allThree), file.stored());
    EXPECT_FALSE(isFree(spareKey, allThree));
    EXPECT_TRUE(isFree(showKey, allThree)) << "the old key is released";

    manager.setNewNoteHotkey(otherSpareKey, ui::input::modCtrl | ui::input::modShift);
    EXPECT_EQ(Combination(otherSpareKey, ui::input::modCtrl | ui::input::modShift), manager.newNoteHotkey());
    EXPECT_EQ(static_cast<int>(otherSpareKey), file.get(Settings::newNoteHotkeyKey));
    EXPECT_EQ(6, file.get(Settings::newNoteHotkeyModifiersKey));
    EXPECT_TRUE(isFree(newNoteKey, allThree));
}

TEST_F(HotkeyManagerTest, ARefusedKeyThrowsAndKeepsTheOldOneWorkingAndStored) {
    Hotkey before(window, 0, 0, [] {});
    HotkeyManager manager(window, settings());
    Hotkey taken(elsewhere, allThree, spareKey, [] {});

    const std::string message = messageOf<err::SystemException>([&] { manager.setShowHotkey(spareKey, allThree); });
    EXPECT_EQ(0u, message.find("Can't register hotkey\n")) << message;
    EXPECT_EQ(Combination(showKey, allThree), manager.showHotkey());
    EXPECT_FALSE(isFree(showKey, allThree)) << "the old key is still registered";
    EXPECT_EQ(Combination(showKey, allThree), file.stored());

    int shows = 0;
    manager.showRequested.connect([&] { ++shows; });
    SendMessageW(window.getHandle(), WM_HOTKEY, static_cast<WPARAM>(before.id() + 1), 0);
    EXPECT_EQ(1, shows) << "the old key still answers";
}

TEST_F(HotkeyManagerTest, SettingTheCurrentKeyAgainDoesNothing) {
    HotkeyManager manager(window, settings());
    // Anything the setter stored would overwrite these.
    settings().set<int>(Settings::showHotkeyKey, 77);
    manager.setShowHotkey(showKey, allThree);
    EXPECT_EQ(77, file.get(Settings::showHotkeyKey));
    EXPECT_EQ(Combination(showKey, allThree), manager.showHotkey());
    EXPECT_FALSE(isFree(showKey, allThree));
}

TEST_F(HotkeyManagerTest, KeyCodeZeroRemovesTheKeyAndStoresZeroUnderBothKeys) {
    {
        HotkeyManager manager(window, settings());
        manager.setShowHotkey(0, ui::input::modCtrl);
        EXPECT_EQ(Combination(0, 0), manager.showHotkey());
        EXPECT_EQ(Combination(0, 0), file.stored());
        EXPECT_TRUE(isFree(showKey, allThree));
    }
    // Also when the key could not be registered at start: the user's choice is stored.
    Hotkey taken(elsewhere, allThree, newNoteKey, [] {});
    HotkeyManager manager(window, settings());
    ASSERT_EQ(1u, manager.failedAtStart().size());
    manager.setNewNoteHotkey(0, 0);
    EXPECT_EQ(0, file.get(Settings::newNoteHotkeyKey));
    EXPECT_EQ(0, file.get(Settings::newNoteHotkeyModifiersKey));
}
