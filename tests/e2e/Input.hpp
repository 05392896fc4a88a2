#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// Input as the user gives it: synthesised keys and mouse clicks, which go to whichever
// window has the focus or lies under the pointer, like real ones. Tests bring the window
// they mean to the front first.

// Makes the window the foreground window and waits (bounded) until it stays so.
bool bringToFront(HWND window);

// Presses and releases a key, with Ctrl, Alt and Shift held as asked.
void pressKey(WORD virtualKey, bool ctrl = false, bool alt = false, bool shift = false);
// One key going down or up, for combinations pressKey does not make (Win) and keys held
// down (a key held repeats its key-down).
void keyDown(WORD virtualKey);
void keyUp(WORD virtualKey);
// Types text as Unicode characters, whatever the keyboard layout.
void typeText(const std::wstring& text);
// Opens a menu of the menu bar with Alt and its letter, then chooses the entries with their
// letters, each once the menu it belongs to is on the screen; answers false when a menu did
// not open in time.
bool chooseMenu(WORD menuLetter, std::initializer_list<WORD> entryLetters);
// A left click at a point of the screen.
void clickAt(POINT screenPoint);

// The middle of the window's close box, as the window itself answers hit tests; nothing
// when it has none.
std::optional<POINT> closeBoxOf(HWND window);

// The clipboard's Unicode text, or nothing when it holds none.
std::optional<std::wstring> clipboardText();
bool setClipboardText(const std::wstring& text);

}  // namespace e2e
