#pragma once

#include <string>

namespace app {

// A window handle as the platform-neutral code carries it (an HWND on Windows).
using WindowHandle = void*;

// One capture, as delivered to its receiver.
struct GrabbedData {
    std::wstring text;                    // the copied selection; empty when nothing arrived
    std::wstring windowTitle;             // the target's title when the capture started
    std::wstring link;                    // the page address; empty when none was found
    WindowHandle targetWindow = nullptr;  // the top-level window that was in front
    WindowHandle focusWindow = nullptr;   // the window with the keyboard focus in the target's thread
    std::wstring moduleName;              // lower-cased file name of the target's executable
};

}  // namespace app
