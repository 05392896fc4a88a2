#include "app/Settings.hpp"

#include "MessageOf.hpp"
#include "ManualOneShot.hpp"
#include "TempFolder.hpp"
#include "err/Exceptions.hpp"
#include "sys/timers/OneShot.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <vector>

using app::Font;
using app::Rect;
using app::Settings;
using sys::platform::FileSystem;
using sys::platform::ScopedFileSystem;
using testing_support::ForwardingFileSystem;
using testing_support::ManualOneShot;
using testing_support::TempFolder;
using testing_support::utf16;

namespace {

constexpr FileSystem::Error deniedError = 0x20000002;

// Counts the files created (each save creates one temporary file) and can refuse to read
// or to move one path, or to write at all.
class WatchedFileSystem : public ForwardingFileSystem {
public:
    Error createNew(const std::wstring& path, Handle& handle) override {
        ++created;
        return real().createNew(path, handle);
    }
    Error write(Handle handle, const void* data, std::size_t size) override {
        return failWrites ? deniedError : real().write(handle, data, size);
    }
    Error readAll(const std::wstring& path, std::vector<unsigned char>& bytes) override {
        return path == unreadable ? deniedError : real().readAll(path, bytes);
    }
    Error move(const std::wstring& source, const std::wstring& target) override {
        return source == unmovable ? deniedError : real().move(source, target);
    }
    ErrorKind classify(Error error) const override {
        return error == deniedError ? ErrorKind::Other : real().classify(error);
    }
    void pause(unsigned) override {}

    int created = 0;
    bool failWrites = false;
    std::wstring unreadable;
    std::wstring unmovable;
};

struct SettingsFolder {
    TempFolder folder;
    std::wstring path = folder.file(L"varnel.settings");
    std::string file() const { return folder.read(L"varnel.settings"); }
    std::string backup() const { return folder.read(L"varnel.settings.bak"); }
};

}  // namespace

TEST(SettingsKeys, DefaultsAndThemeColoursAreTheStoredNumbers) {
    const std::vector<app::ColorRef> expected{7935, 25855, 2017500, 61480, 16097330, 15751680, 13107400, 6576740};
    std::vector<app::ColorRef> theme;
    for (const Settings::ThemeColor& entry : Settings::themeColors) {
        theme.push_back(entry.color);
    }
    EXPECT_EQ(expected, theme);
    EXPECT_EQ((Rect{640, 160, 1120, 798}), Settings::defaultNormalPosition(1280, 800));
    EXPECT_EQ((Rect{683, 153, 1163, 791}), Settings::defaultNormalPosition(1366, 768));
}

TEST(SettingsLoad, AMissingFileGivesEveryDefaultAndIsWrittenAtTheEnd) {
    SettingsFolder at;
    {
        Settings settings(at.path);
        EXPECT_EQ(at.path, settings.settingsFilePath());
        EXPECT_EQ(Settings::defaultBaseColor, settings.get(Settings::baseColorKey, Settings::defaultBaseColor));
        EXPECT_EQ(Settings::defaultNoteHeaderFont(),
                  settings.get(Settings::noteHeaderFontKey, Settings::defaultNoteHeaderFont()));
        EXPECT_EQ(15, settings.get(Settings::maxDisplayedNoteLinesKey, 15));
        EXPECT_TRUE(settings.get(Settings::minimizeToTrayKey, true));
        EXPECT_EQ(Rect{}, settings.get(Settings::noteEditDialogPlacementKey, Settings::defaultNoteEditDialogPlacement));
        EXPECT_FALSE(at.folder.exists(L"varnel.settings"));
    }
    EXPECT_TRUE(at.folder.exists(L"varnel.settings"));
    EXPECT_EQ("", at.file());
    EXPECT_FALSE(at.folder.exists(L"varnel.settings.bak"));
}

TEST(SettingsLoad, TheFileIsReadOnceAtConstruction) {
    SettingsFolder at;
    at.folder.write(L"varnel.settings", utf16("app.mainframe.silentclipping = 1\nhotkeys.show = 120\n"));
    Settings settings(at.path);
    at.folder.write(L"varnel.settings", utf16("hotkeys.show = 1\n"));
    EXPECT_TRUE(settings.get(Settings::silentClippingKey, false));
    EXPECT_EQ(120, settings.get(Settings::showHotkeyKey, Settings::defaultShowHotkey));
    EXPECT_EQ(Settings::defaultNoteTextFont(),
              settings.get(Settings::noteTextFontKey, Settings::defaultNoteTextFont()));
}

TEST(SettingsSave, ChangesWithinTheDelayMakeOneWriteWhenTheOneShotFires) {
    SettingsFolder at;
    WatchedFileSystem fs;
    ScopedFileSystem scope(fs);
    ManualOneShot scheduler;
    Settings settings(at.path);
    settings.setScheduler(&scheduler);

    settings.set(Settings::captureHotkeyKey, 122);
    settings.set(Settings::closeToTrayKey, true);
    settings.set(Settings::normalPositionKey, Rect{1, 2, 3, 4});
    EXPECT_EQ((std::vector<int>{1000, 1000, 1000}), scheduler.delays);
    EXPECT_EQ(0, fs.created);
    EXPECT_FALSE(at.folder.exists(L"varnel.settings"));

    scheduler.fire();
    EXPECT_EQ(1, fs.created);
    EXPECT_EQ(utf16("app.mainframe.capture.hotkey = 122\napp.mainframe.closetotray = 1\n"
                    "app.mainframe.placement.normalpos.bottom = 4\napp.mainframe.placement.normalpos.left = 1\n"
                    "app.mainframe.placement.normalpos.right = 3\napp.mainframe.placement.normalpos.top = 2\n"),
              at.file());

    // Bytes the file already holds are not written again.
    settings.set(Settings::captureHotkeyKey, 122);
    scheduler.fire();
    settings.save();
    EXPECT_EQ(1, fs.created);
    EXPECT_EQ((std::set<std::wstring>{L"varnel.settings"}), at.folder.names());
}

TEST(SettingsSave, ChangesAreWrittenAtTheEndAndWhenASchedulerArrives) {
    SettingsFolder at;
    ManualOneShot scheduler;
    {
        Settings settings(at.path);
        settings.set(Settings::noteTextFontKey, Font{L"Verdana", 10, 400, false});
        EXPECT_FALSE(at.folder.exists(L"varnel.settings"));
        settings.setScheduler(&scheduler);
        EXPECT_EQ((std::vector<int>{1000}), scheduler.delays);
        scheduler.fire();
        EXPECT_EQ(L"Verdana", Settings(at.path).get<std::wstring>("app.mainframe.notetextfont.face", L""));

        settings.setScheduler(nullptr);
        settings.set<app::ColorRef>(Settings::baseColorKey, Settings::themeColors[0].color);
        EXPECT_EQ(1u, scheduler.delays.size());
    }
    EXPECT_EQ(7935u, Settings(at.path).get<app::ColorRef>(Settings::baseColorKey, 0));
}

TEST(SettingsSave, ASaveScheduledBeforeTheSettingsEndedDoesNothingWhenItFires) {
    SettingsFolder at;
    ManualOneShot scheduler;
    std::optional<Settings> settings;
    settings.emplace(at.folder.file(L"first.settings"));
    settings->setScheduler(&scheduler);
    settings->set("x", 1);
    settings.reset();
    EXPECT_EQ(utf16("x = 1\n"), at.folder.read(L"first.settings"));

    // A later object in the same place must not be saved by the earlier one's timer.
    settings.emplace(at.folder.file(L"second.settings"));
    settings->set("y", 2);
    scheduler.fire();
    EXPECT_FALSE(at.folder.exists(L"second.settings"));
    settings.reset();
    EXPECT_EQ(utf16("y = 2\n"), at.folder.read(L"second.settings"));
}

TEST(SettingsBackup, AFileThatFailedToLoadIsKeptBeforeTheFirstSave) {
    SettingsFolder at;
    const std::string malformed = utf16("hotkeys.show = 120\n = 5\n");
    at.folder.write(L"varnel.settings", malformed);
    ManualOneShot scheduler;
    Settings settings(at.path);
    settings.setScheduler(&scheduler);
    EXPECT_EQ(123, settings.get(Settings::showHotkeyKey, Settings::defaultShowHotkey));
    EXPECT_EQ(malformed, at.file());

    settings.set(Settings::newNoteHotkeyKey, 78);
    scheduler.fire();
    EXPECT_EQ(malformed, at.backup());
    EXPECT_EQ(utf16("hotkeys.newnote = 78\n"), at.file());

    // Kept once: later saves leave the copy alone.
    settings.set(Settings::newNoteHotkeyKey, 79);
    scheduler.fire();
    EXPECT_EQ(malformed, at.backup());
}

TEST(SettingsBackup, AnUnreadableFileIsKeptAndNeverOverwrittenWhenItCannotBeKept) {
    SettingsFolder at;
    const std::string original = utf16("app.mainframe.alwaysontop = 1\n");
    at.folder.write(L"varnel.settings", original);
    WatchedFileSystem fs;
    ScopedFileSystem scope(fs);
    fs.unreadable = at.path;
    {
        Settings settings(at.path);
        EXPECT_FALSE(settings.get(Settings::alwaysOnTopKey, false));
        settings.set(Settings::silentClippingKey, true);
        fs.unmovable = at.path;
        EXPECT_THROW(settings.save(), err::IOException);
        EXPECT_EQ(original, at.file());
    }
    EXPECT_EQ(original, at.file());
    EXPECT_FALSE(at.folder.exists(L"varnel.settings.bak"));

    fs.unmovable.clear();
    { Settings settings(at.path); }
    EXPECT_EQ(original, at.backup());
    EXPECT_EQ("", at.file());
}

TEST(SettingsSave, AFailedWriteLeavesTheOldFileAndReachesTheCaller) {
    SettingsFolder at;
    const std::string original = utf16("x = 1\n");
    at.folder.write(L"varnel.settings", original);
    WatchedFileSystem fs;
    ScopedFileSystem scope(fs);
    ManualOneShot scheduler;
    Settings settings(at.path);
    settings.setScheduler(&scheduler);
    settings.set("x", 2);
    fs.failWrites = true;
    EXPECT_THAT(testing_support::messageOf<err::IOException>([&] { scheduler.fire(); }),
                testing::StartsWith("CFileLoader.fsave: cannot open file\n"));
    EXPECT_EQ(original, at.file());
    EXPECT_EQ((std::set<std::wstring>{L"varnel.settings"}), at.folder.names());

    fs.failWrites = false;
    settings.save();
    EXPECT_EQ(utf16("x = 2\n"), at.file());
}
