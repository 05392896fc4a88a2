#pragma once

#include "app/Color.hpp"
#include "app/Font.hpp"
#include "app/Rect.hpp"
#include "app/SettingsKeeper.hpp"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace sys::timers {
class OneShot;
}

namespace app {

// The program's preferences, read once from "varnel.settings" in the program folder.
// Every change is written one second after the last one (once a scheduler is attached)
// and once more when the object ends.
class Settings {
public:
    // Keys, with the value each has when the file does not hold it.
    static constexpr const char* baseColorKey = "app.mainframe.basecolor";
    static constexpr ColorRef defaultBaseColor = rgb(0, 90, 240);
    static constexpr const char* noteHeaderFontKey = "app.mainframe.noteheaderfont";
    static Font defaultNoteHeaderFont();
    static constexpr const char* noteTextFontKey = "app.mainframe.notetextfont";
    static Font defaultNoteTextFont();
    static constexpr const char* maxDisplayedNoteLinesKey = "app.mainframe.maxdisplayednotelines";
    static constexpr int defaultMaxDisplayedNoteLines = 15;
    static constexpr const char* minimizeToTrayKey = "app.mainframe.minimizetotray";
    static constexpr bool defaultMinimizeToTray = true;
    static constexpr const char* closeToTrayKey = "app.mainframe.closetotray";
    static constexpr bool defaultCloseToTray = false;
    static constexpr const char* alwaysOnTopKey = "app.mainframe.alwaysontop";
    static constexpr bool defaultAlwaysOnTop = false;
    static constexpr const char* normalPositionKey = "app.mainframe.placement.normalpos";
    static Rect defaultNormalPosition(int screenWidth, int screenHeight);
    static constexpr const char* silentClippingKey = "app.mainframe.silentclipping";
    static constexpr bool defaultSilentClipping = false;
    static constexpr const char* captureHotkeyKey = "app.mainframe.capture.hotkey";
    static constexpr int defaultCaptureHotkey = 123;  // F12
    static constexpr const char* captureHotkeyModifiersKey = "app.mainframe.capture.hotkey.modifiers";
    static constexpr int defaultCaptureHotkeyModifiers = 2;  // Ctrl
    static constexpr const char* showHotkeyKey = "hotkeys.show";
    static constexpr int defaultShowHotkey = 123;  // F12
    static constexpr const char* showHotkeyModifiersKey = "hotkeys.show.modifiers";
    static constexpr int defaultShowHotkeyModifiers = 3;  // Alt + Ctrl
    static constexpr const char* newNoteHotkeyKey = "hotkeys.newnote";
    static constexpr int defaultNewNoteHotkey = 0;  // none
    static constexpr const char* newNoteHotkeyModifiersKey = "hotkeys.newnote.modifiers";
    static constexpr int defaultNewNoteHotkeyModifiers = 0;
    static constexpr const char* noteEditDialogPlacementKey = "app.mainframe.noteeditdialog.placement";
    static constexpr Rect defaultNoteEditDialogPlacement{};  // empty: the dialog places itself

    // The base colours of the colour theme, in menu order; the name completes the menu
    // key "menu.view.notecolor.".
    struct ThemeColor {
        const char* name;
        ColorRef color;
    };
    static constexpr std::array<ThemeColor, 8> themeColors{{
        {"red", rgb(255, 30, 0)},
        {"orange", rgb(255, 100, 0)},
        {"yellow", rgb(220, 200, 30)},
        {"green", rgb(40, 240, 0)},
        {"cyan", rgb(50, 160, 245)},
        {"blue", rgb(0, 90, 240)},
        {"purple", rgb(200, 0, 200)},
        {"gray", rgb(100, 90, 100)},
    }};

    static constexpr int saveDelay = 1000;  // milliseconds after the last change

    // The program's settings, loaded from settingsFilePath() on the first call.
    static Settings& instance();
    // Settings kept in the given file, loaded now.
    explicit Settings(std::wstring path);
    // Writes the file once more; a failure is ignored.
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Where deferred saves are scheduled. The owner of the scheduler detaches it (nullptr)
    // before the scheduler ends. Without one, changes wait for the next save.
    void setScheduler(sys::timers::OneShot* scheduler);

    // The keeper's typed values; each change schedules a save.
    template <class T>
    T get(const std::string& key, const T& defaultValue) const {
        return keeper_.get(key, defaultValue);
    }
    template <class T>
    void set(const std::string& key, const T& value) {
        keeper_.set(key, value);
        scheduleSave();
    }

    const std::wstring& settingsFilePath() const { return path_; }
    // Writes every setting to the file now. Raises err::IOException.
    void save();
    void scheduleSave();

private:
    void load();
    void keepUnreadFile();

    std::wstring path_;
    SettingsKeeper keeper_;
    sys::timers::OneShot* scheduler_ = nullptr;
    bool savePending_ = false;
    // Set when the file exists but could not be loaded: it is moved aside before the
    // first save would overwrite it.
    bool keepOldFile_ = false;
    // What the file holds as far as this object knows, to skip writes that change nothing.
    std::optional<std::string> savedBytes_;
    // Lets a scheduled save that fires after this object ended do nothing.
    std::shared_ptr<char> alive_;
};

}  // namespace app
