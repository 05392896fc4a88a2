#pragma once

#include "app/CaptureMachine.hpp"
#include "app/ClipHotkeyChoice.hpp"
#include "app/GrabbedData.hpp"

#include <functional>
#include <memory>
#include <utility>

namespace ui {
class Window;
}
namespace ui::input {
class Hotkey;
}
namespace app {
class Settings;
}

namespace app {

// Captures the selection of the program in front when the clip hot key is pressed, and
// delivers it on the window thread of the main window; the main window receives clipboard
// changes, hot key and timer ticks for it. Captures never show messages: a failure ends the
// capture quietly, with the clipboard put back.
class TextGrabber {
public:
    using Grabbed = std::function<void(const GrabbedData&)>;

    // Registers the clip hot key stored in the program's settings (or a fallback for this
    // run, see startChoice()).
    TextGrabber(ui::Window& mainWindow, Grabbed grabbed);
    // The same with the given settings.
    TextGrabber(ui::Window& mainWindow, Grabbed grabbed, Settings& settings);
    ~TextGrabber();
    TextGrabber(const TextGrabber&) = delete;
    TextGrabber& operator=(const TextGrabber&) = delete;

    // Key code 0 removes the hot key. A new combination is registered (without repeat)
    // before the current one is released, and stored only once it is registered; when the
    // system refuses it, err::SystemException is thrown and the current key stays. Setting
    // the current combination again does nothing.
    void setHotkey(unsigned keyCode, unsigned modifiers);
    // (key code, modifiers) registered now, or (0, 0).
    std::pair<unsigned, unsigned> hotkey() const;
    // Unregisters the clip hot key until the next setHotkey (the hot key dialog needs the
    // combination free while it listens).
    void releaseHotkey();
    // Registers again what releaseHotkey released, storing nothing (a fallback of this run
    // stays this run's); a combination taken meanwhile stays off. Never throws.
    void resumeHotkey() noexcept;
    // What start-up registered; `fallback` set when the stored key was refused and
    // another (or none) is in use for this run.
    const ClipHotkeyChoice& startChoice() const { return startChoice_; }

    // Starts a capture as the hot key does; answers how it went.
    CaptureMachine::StartResult grab();
    bool isCapturing() const;

private:
    class System;

    template <class Event>
    void guarded(Event event);
    std::unique_ptr<ui::input::Hotkey> makeHotkey(unsigned keyCode, unsigned modifiers);

    ui::Window& window_;
    Settings& settings_;
    Grabbed grabbed_;
    std::unique_ptr<System> system_;
    std::unique_ptr<CaptureMachine> machine_;
    std::unique_ptr<ui::input::Hotkey> hotkey_;
    std::pair<unsigned, unsigned> released_{0, 0};
    ClipHotkeyChoice startChoice_;
};

}  // namespace app
