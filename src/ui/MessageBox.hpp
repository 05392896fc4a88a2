#pragma once

#include <windows.h>

#include <string>

namespace ui {

// A standard message box centred on its owner; without an owner the system places it.
// Returns the platform's answer code.
int centeredMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

int showInformation(HWND owner, const std::wstring& text, const std::wstring& caption);
int showWarning(HWND owner, const std::wstring& text, const std::wstring& caption);
int showError(HWND owner, const std::wstring& text, const std::wstring& caption);
// IDYES or IDNO.
int askYesNo(HWND owner, const std::wstring& text, const std::wstring& caption);

}  // namespace ui
