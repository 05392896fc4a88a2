#pragma once

#include <windows.h>

namespace ui {

// Reports the exception being handled: an "Error" box owned by `owner` (or without owner)
// showing the exception's type name and text, one line "<where> <text>" appended to
// "log.txt" in the current directory, and the text on the debugger output. Call it only
// from inside a catch block; it never throws.
void reportCurrentException(HWND owner, const char* where) noexcept;

}  // namespace ui
