#pragma once

#include "app/GrabbedData.hpp"

#include <functional>
#include <optional>
#include <string>

namespace app {

// What a capture needs from the system, each behind a small interface so the capture's
// logic runs anywhere.

class ICaptureClipboard {
public:
    virtual ~ICaptureClipboard() = default;
    // Keeps everything the clipboard holds now; false when the clipboard could not be opened.
    virtual bool snapshot() = 0;
    // Puts the kept contents back; false when the clipboard could not be opened.
    virtual bool restore() = 0;
    virtual std::optional<std::wstring> readText() = 0;
    // The raw bytes of the "HTML Format" data; empty when there is none.
    virtual std::string readHtml() = 0;
    virtual bool hasHtml() = 0;
    // Whether the window that owns the clipboard now belongs to the window's process.
    virtual bool ownedByProcessOf(WindowHandle window) = 0;
    // While on, every change of the clipboard calls CaptureMachine::onClipboardChange.
    virtual void watch(bool on) = 0;
};

class ICaptureWindows {
public:
    virtual ~ICaptureWindows() = default;
    // The top-level window in front; null when there is none.
    virtual WindowHandle foregroundWindow() = 0;
    // Whether the window is this program's own (its root owner is the main window).
    virtual bool isOwnWindow(WindowHandle window) = 0;
    virtual std::wstring title(WindowHandle window) = 0;
    virtual std::wstring className(WindowHandle window) = 0;
    // The lower-cased file name of the window's executable; empty when it cannot be asked.
    virtual std::wstring moduleName(WindowHandle window) = 0;
    virtual std::wstring addressBarText(WindowHandle window) = 0;
};

// Key sequences sent to a target.
enum class CaptureKeys {
    Copy,          // Ctrl+C
    ConsoleCopy,   // Ctrl+Insert
    FocusAddress,  // Ctrl+L
    F9,
};

class ICaptureInput {
public:
    virtual ~ICaptureInput() = default;
    // Runs the step with this thread's input attached to the window's thread and detached
    // again afterwards; false, without running it, when the system refuses to attach.
    virtual bool withAttachedInput(WindowHandle target, const std::function<void()>& step) = 0;
    // The keyboard focus of the attached thread.
    virtual WindowHandle focusWindow() = 0;
    virtual void bringToFront(WindowHandle window) = 0;
    virtual void setFocus(WindowHandle window) = 0;
    // Whether the modifier keys (hot key mask) are physically up and the target waits for input.
    virtual bool readyForKeys(WindowHandle target, unsigned modifiers) = 0;
    // Lifts the modifier keys still down, so that neither a menu nor the Start menu opens.
    virtual void releaseModifiers(unsigned modifiers) = 0;
    virtual void send(CaptureKeys keys) = 0;
};

// One pending call of CaptureMachine::onTimer; starting again replaces it.
class ICaptureTimer {
public:
    virtual ~ICaptureTimer() = default;
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
};

struct CaptureServices {
    ICaptureClipboard& clipboard;
    ICaptureWindows& windows;
    ICaptureInput& input;
    ICaptureTimer& timer;
};

}  // namespace app
