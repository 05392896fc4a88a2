#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

std::wstring classNameOf(HWND window);
std::wstring textOf(HWND window);

// The top-level windows of a process, shown or hidden, optionally only those of a window
// class ("Oskel.Frame", or "#32770" for message boxes and dialogs).
std::vector<HWND> topWindowsOf(DWORD processId, const std::wstring& className = std::wstring());

// The text of a message box: its static control that is not the icon.
std::wstring messageTextOf(HWND box);

}  // namespace e2e
