#pragma once

// Drives a modal dialog from inside its own message loop, as a user would: a thread timer
// runs one step per tick. Timer messages come only when the queue is empty, so whatever an
// earlier step posted (keys, characters, clicks) has been handled when the next step runs.
// A step answers whether the script goes on; one that keeps answering false (waiting for a
// window) fails the test after about three seconds.

#include "WinTestSupport.hpp"
#include "ui/Window.hpp"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// The shown window a dialog under test belongs to, in the same place for every dialog test.
class DialogOwner : public TestTopWindow {
public:
    explicit DialogOwner(std::wstring className);
};

class DialogScript {
public:
    using Step = std::function<bool()>;

    // Starts ticking now; the steps run once the dialog's loop dispatches. `dialogClass`
    // names the windows a script that is finished but still finds open closes (a failure).
    explicit DialogScript(std::vector<Step> steps, std::wstring dialogClass = L"Oskel.Dialog");
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    bool finished() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);
    void step();

    std::vector<Step> steps_;
    std::wstring dialogClass_;
    std::size_t next_ = 0;
    bool busy_ = false;
    int idleTicks_ = 0;
    UINT_PTR timer_ = 0;
};

// A step that does something once.
DialogScript::Step act(std::function<void()> action);

// A step that saves a picture of the dialog (redrawn first) to `file`, and reads the colours
// just inside the top-left and bottom-left corners of its client area.
DialogScript::Step savePicture(const ui::Window& dialog, std::wstring file, COLORREF& top, COLORREF& bottom);

// Input for the focused window, posted: a key press and release (with Ctrl held down while
// the press is handled when asked), and typed characters.
void postKey(UINT key);
void postCharacters(const std::wstring& text);
// Holds Ctrl down in the thread's keyboard state until releaseControl(); the key posted in
// between is handled as Ctrl+key.
void pressWithControl(UINT key);
void releaseControl();

}  // namespace testing_support
