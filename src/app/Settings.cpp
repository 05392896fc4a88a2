#include "app/Settings.hpp"

#include "err/Exceptions.hpp"
#include "sys/platform/AtomicFile.hpp"
#include "sys/platform/FileSystem.hpp"
#include "sys/platform/Platform.hpp"
#include "sys/timers/OneShot.hpp"

namespace app {

Font Settings::defaultNoteHeaderFont() {
    return Font{L"Arial", 8, 700, false};
}

Font Settings::defaultNoteTextFont() {
    return Font{L"Tahoma", 8, 400, false};
}

Rect Settings::defaultNormalPosition(int screenWidth, int screenHeight) {
    const int left = screenWidth / 2;
    const int top = screenHeight / 5;
    return Rect{left, top, left + 480, top + 638};
}

Settings& Settings::instance() {
    static Settings settings(sys::platform::programFolder() + L"\\varnel.settings");
    return settings;
}

Settings::Settings(std::wstring path) : path_(std::move(path)), alive_(std::make_shared<char>()) {
    load();
}

Settings::~Settings() {
    alive_.reset();
    try {
        save();
    } catch (...) {
        // Nothing is left to report to at exit.
    }
}

// Any failure leaves every setting at its caller's default.
void Settings::load() {
    sys::platform::FileSystem& fs = sys::platform::fileSystem();
    try {
        sys::platform::AtomicFile::removeStaleTemporaries(path_, fs);
    } catch (...) {}
    try {
        keeper_ = SettingsKeeper(path_);
        savedBytes_ = keeper_.toBytes();
    } catch (...) {
        keeper_ = SettingsKeeper();
        // A missing file loses nothing; one that is there but unusable holds the user's
        // settings, which the first save must not destroy.
        keepOldFile_ = fs.exists(path_);
    }
}

void Settings::keepUnreadFile() {
    sys::platform::FileSystem& fs = sys::platform::fileSystem();
    const std::wstring backup = path_ + L".bak";
    const auto error = sys::platform::retryWhileBusy(fs, [&] { return fs.move(path_, backup); });
    if (error && fs.classify(error) != sys::platform::FileSystem::ErrorKind::NotFound) {
        throw err::IOException("Cannot keep the settings file that could not be read as\n"
                               + sys::platform::narrow(backup) + "\n" + err::describeSystemError(error));
    }
    keepOldFile_ = false;
}

void Settings::save() {
    std::string bytes = keeper_.toBytes();
    if (!savedBytes_ || *savedBytes_ != bytes) {
        if (keepOldFile_) {
            keepUnreadFile();
        }
        keeper_.save(path_);
        savedBytes_ = std::move(bytes);
    }
    savePending_ = false;
}

void Settings::scheduleSave() {
    savePending_ = true;
    if (!scheduler_) {
        return;
    }
    std::weak_ptr<char> alive = alive_;
    scheduler_->callLater(saveDelay, [this, alive] {
        if (!alive.expired()) {
            save();
        }
    });
}

void Settings::setScheduler(sys::timers::OneShot* scheduler) {
    scheduler_ = scheduler;
    if (scheduler_ && savePending_) {
        scheduleSave();
    }
}

}  // namespace app
