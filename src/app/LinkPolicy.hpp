#pragma once

#include <string>

namespace app {

// What may be done with a link that came from a note: links come from web pages, other
// programs and imported files, so none of them is trusted.
enum class LinkVerdict {
    Open,    // a web address: opened at once
    Ask,     // another scheme or a local path: opened only when the user agrees
    Refuse,  // empty, malformed, or a program or script: never opened
};

LinkVerdict judgeLink(const std::wstring& link);

// What is handed to the shell for a link that may be opened: the link without surrounding
// white space, and with "http://" before an address that starts with "www.".
std::wstring linkTarget(const std::wstring& link);

// Whether a file name or path ends in the extension of something the shell runs when it
// "opens" it (programs, scripts, installers, shortcuts). Case, trailing dots and spaces,
// and an alternate data stream suffix do not hide the extension.
bool isExecutableName(const std::wstring& name);

}  // namespace app
