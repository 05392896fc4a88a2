#pragma once
#include <windows.h>
#include <optional>
#include <string>

namespace ui {

// A file the user picked, and which of the dialog's filters was selected (1 = the first).
struct FileChoice {
    std::wstring path;
    int filterIndex = 1;
};

// The system's open-file and save-file dialogs. `mask` lists the filters as
// "Name|pattern|Name|pattern"; nothing is answered when the user cancels.
std::optional<FileChoice> askOpenFile(HWND owner, const std::wstring& title, const std::wstring& mask);
// Asks before overwriting; the dialog can be resized. The first filter's extension is added
// to a name typed without one.
std::optional<FileChoice> askSaveFile(HWND owner, const std::wstring& title, const std::wstring& mask);

}  // namespace ui
