#pragma once

// The few services the platform-neutral core needs from the operating system, with a
// Win32 and a POSIX implementation.

#include <cstdint>
#include <string>

namespace sys::platform {

// Lower case, one UTF-16 code unit at a time: A-Z map to a-z, U+0080..U+00FF stay as they are,
// and code units from U+0100 up follow the system's lower-case mapping.
void foldCase(std::wstring& text);
std::wstring foldedCase(const std::wstring& text);

// White space as the default locale's isspace sees it.
bool isSpace(wchar_t c);
// The text without the control characters, blanks and white space at either end.
std::wstring trimmed(const std::wstring& text);

// Wide text to and from the system's 8-bit (ANSI) code page.
std::string narrow(const std::wstring& text);
std::wstring widen(const std::string& text);

// Full path of the running executable.
std::wstring executablePath();

unsigned long lastSystemError();
// The system's message for an error code, as the system gives it (ending in CR LF),
// or empty when there is none.
std::string systemErrorText(unsigned long code);

void sleepMilliseconds(unsigned milliseconds);
// One line for a debugger: the debugger output on Windows, standard error elsewhere.
void debugOutput(const std::string& text);
std::uint32_t currentProcessId();

}  // namespace sys::platform
