#pragma once

#include <windows.h>

#include <string>

namespace app {

// Opens a link from a note the way the link policy allows: a web address at once, any
// other link only after the user agreed in a box owned by `owner`, and a program or script
// never (a box says so). A link that the shell cannot open is reported in a box too.
// Answers whether something was opened.
bool openLink(HWND owner, const std::wstring& link);

// Opens one of the program's own files, such as its help page, with the program the system
// associates with it. A failure is reported in a box. Answers whether it was opened.
bool openFile(HWND owner, const std::wstring& path);

}  // namespace app
