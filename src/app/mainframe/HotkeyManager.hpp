#pragma once

#include <boost/signals2/signal.hpp>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ui {
class Window;
}
namespace ui::input {
class Hotkey;
}
namespace app {
class Settings;
}

namespace app::mainframe {

// The "show main window" and "add new note" hot keys of the main window, kept in the
// settings. Each key is registered on its own: one that another program holds leaves the
// other working.
class HotkeyManager {
public:
    // Registers the keys stored in the program's settings.
    explicit HotkeyManager(ui::Window& mainWindow);
    // The same with the given settings.
    HotkeyManager(ui::Window& mainWindow, Settings& settings);
    ~HotkeyManager();
    HotkeyManager(const HotkeyManager&) = delete;
    HotkeyManager& operator=(const HotkeyManager&) = delete;

    // Key code 0 removes the hot key. A new combination is registered before the current
    // one is released, and stored only once it is registered; when the system refuses it,
    // err::SystemException is thrown and the current key stays as it was. Setting the
    // current combination again does nothing.
    void setShowHotkey(unsigned keyCode, unsigned modifiers);
    void setNewNoteHotkey(unsigned keyCode, unsigned modifiers);

    // (key code, modifiers), or (0, 0) when there is none.
    std::pair<unsigned, unsigned> showHotkey() const;
    std::pair<unsigned, unsigned> newNoteHotkey() const;

    // How each stored key that could not be registered at start reads, e.g. "Ctrl + Alt + F12".
    std::vector<std::wstring> failedAtStart() const { return failedAtStart_; }

    boost::signals2::signal<void()> showRequested;
    boost::signals2::signal<void()> newNoteRequested;

private:
    struct Slot {
        const char* keyCodeKey;
        const char* modifiersKey;
        int defaultKeyCode;
        int defaultModifiers;
        boost::signals2::signal<void()>* requested;
        std::unique_ptr<ui::input::Hotkey> hotkey;
    };

    void registerAtStart(Slot& slot);
    void set(Slot& slot, unsigned keyCode, unsigned modifiers);
    std::unique_ptr<ui::input::Hotkey> makeHotkey(Slot& slot, unsigned keyCode, unsigned modifiers);
    static std::pair<unsigned, unsigned> combination(const Slot& slot);

    ui::Window& window_;
    Settings& settings_;
    Slot show_;
    Slot newNote_;
    std::vector<std::wstring> failedAtStart_;
};

}  // namespace app::mainframe
