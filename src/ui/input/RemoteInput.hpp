#pragma once

#include <windows.h>

#include <functional>

namespace ui::input {

// Keystrokes for another program, synthesised with SendInput into the input stream of
// whatever window is in front.

// Presses and lets go of one key.
void pressKey(WORD key);
// modifier down, key down, key up, modifier up.
void sendKeyCombination(WORD modifier, WORD key);

// Whether none of the modifier keys of a hot key mask (modAlt, modCtrl, modShift, modWin)
// is physically down.
bool modifiersUp(unsigned modifiers);
// Lifts the modifier keys of the mask that are still down. A harmless key goes first, so
// that Alt or Win let go on their own open neither a menu nor the Start menu.
void releaseModifiers(unsigned modifiers);

// Runs `step` with this thread's input attached to the input of the window's thread, so
// that focus and foreground calls act on that thread; detaches on every path, exceptions
// included. Answers false, without running the step, when the system refuses to attach
// (an elevated or hung target). A window of this thread needs no attaching.
bool withAttachedInput(HWND window, const std::function<void()>& step);

}  // namespace ui::input
