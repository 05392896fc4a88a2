#pragma once

// Finding the child windows of a dialog under test, in the order they were made.

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

std::vector<HWND> childrenOfClass(HWND parent, const std::wstring& className);
std::wstring textOf(HWND window);
// Presses the dialog's button with this caption, as a click does.
void clickButton(HWND dialog, const std::wstring& caption);

}  // namespace testing_support
