#include "WinTestSupport.hpp"

#include "app/Settings.hpp"
#include "app/TextGrabber.hpp"
#include "err/Exceptions.hpp"
#include "ui/input/Hotkey.hpp"
#include "ui/input/KeyNames.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using app::Settings;
using app::TextGrabber;
using testing_support::messageOf;
using testing_support::TestTopWindow;
using ui::input::Hotkey;

namespace {

constexpr unsigned allThree = ui::input::modCtrl | ui::input::modAlt | ui::input::modShift;
using Combination = std::pair<unsigned, unsigned>;

struct GrabberHotkeys : ::testing::Test {
    GrabberHotkeys() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"varnel-grabber-" + std::to_wstring(GetCurrentProcessId()) + L"-"
                 + std::to_wstring(GetTickCount());
        CreateDirectoryW(folder.c_str(), nullptr);
        settings = std::make_unique<Settings>(folder + L"\\varnel.settings");
        window.create();
        elsewhere.create();
    }
    ~GrabberHotkeys() override {
        settings.reset();
        DeleteFileW((folder + L"\\varnel.settings").c_str());
        RemoveDirectoryW(folder.c_str());
    }
    Combination stored() const {
        return {settings->get<int>(Settings::captureHotkeyKey, -1),
                settings->get<int>(Settings::captureHotkeyModifiersKey, -1)};
    }
    bool isFree(unsigned key, unsigned modifiers) {
        return messageOf([&] { Hotkey probe(elsewhere, modifiers, key, [] {}); }) == "(nothing thrown)";
    }

    std::wstring folder;
    std::unique_ptr<Settings> settings;
    TestTopWindow window;
    TestTopWindow elsewhere;
};

}  // namespace

TEST_F(GrabberHotkeys, ATakenStoredKeyFallsBackForThisRunAndAChangeKeepsTheOldKeyUntilTheNewOneHolds) {
    settings->set<int>(Settings::captureHotkeyKey, VK_F21);
    settings->set<int>(Settings::captureHotkeyModifiersKey, allThree);
    Hotkey taken(elsewhere, allThree, VK_F21, [] {});

    TextGrabber grabber(
        window, [](const app::GrabbedData&) {}, *settings);
    EXPECT_TRUE(grabber.startChoice().fallback);
    EXPECT_EQ(Combination(VK_F12, ui::input::modCtrl), grabber.hotkey());
    EXPECT_EQ(Combination(VK_F21, allThree), stored()) << "the stored key stays for the next run";

    EXPECT_THROW(grabber.setHotkey(VK_F21, allThree), err::SystemException);
    EXPECT_EQ(Combination(VK_F12, ui::input::modCtrl), grabber.hotkey()) << "a refused key costs nothing";
    EXPECT_FALSE(isFree(VK_F12, ui::input::modCtrl));

    grabber.setHotkey(VK_F22, allThree);
    EXPECT_EQ(Combination(VK_F22, allThree), grabber.hotkey());
    EXPECT_EQ(Combination(VK_F22, allThree), stored());
    EXPECT_TRUE(isFree(VK_F12, ui::input::modCtrl)) << "the old key is released";

    settings->set<int>(Settings::captureHotkeyKey, 0);
    grabber.setHotkey(VK_F22, allThree);
    EXPECT_EQ(0, settings->get<int>(Settings::captureHotkeyKey, -1)) << "the same key again does nothing";

    grabber.releaseHotkey();
    EXPECT_EQ(Combination(0, 0), grabber.hotkey());
    EXPECT_TRUE(isFree(VK_F22, allThree));
}

// The hot key dialog frees the clip key while it listens and gives it back when it closes
// without a change: a fallback of this run must not become the stored choice then.
TEST_F(GrabberHotkeys, AReleasedKeyComesBackWithoutBeingStored) {
    settings->set<int>(Settings::captureHotkeyKey, VK_F21);
    settings->set<int>(Settings::captureHotkeyModifiersKey, allThree);
    {
        Hotkey taken(elsewhere, allThree, VK_F21, [] {});
        TextGrabber grabber(
            window, [](const app::GrabbedData&) {}, *settings);
        ASSERT_TRUE(grabber.startChoice().fallback);
        grabber.releaseHotkey();
        EXPECT_TRUE(isFree(VK_F12, ui::input::modCtrl));
        grabber.resumeHotkey();
        EXPECT_EQ(Combination(VK_F12, ui::input::modCtrl), grabber.hotkey());
        EXPECT_EQ(Combination(VK_F21, allThree), stored());

        // Taken by another program while released, it stays off, quietly.
        grabber.releaseHotkey();
        Hotkey meanwhile(elsewhere, ui::input::modCtrl, VK_F12, [] {});
        grabber.resumeHotkey();
        EXPECT_EQ(Combination(0, 0), grabber.hotkey());
        EXPECT_EQ(Combination(VK_F21, allThree), stored());
    }
}
