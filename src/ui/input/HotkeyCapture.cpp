#include "ui/input/HotkeyCapture.hpp"

#include "ui/input/KeyNames.hpp"

namespace ui::input {

namespace {

// Virtual-key codes, spelled out: this file builds without the system headers.
constexpr unsigned keyTab = 9, keyEnter = 13, keyEscape = 27, keyDelete = 46, keyApps = 93;

// The modifier flag a virtual key stands for, either side; 0 for other keys.
unsigned modifierOf(unsigned keyCode) {
    switch (keyCode) {
    case 16:   // Shift
    case 160:  // Left Shift
    case 161:  // Right Shift
        return modShift;
    case 17:   // Control
    case 162:  // Left Control
    case 163:  // Right Control
        return modCtrl;
    case 18:   // Alt
    case 164:  // Left Alt
    case 165:  // Right Alt
        return modAlt;
    case 91:  // Left Win
    case 92:  // Right Win
        return modWin;
    default:
        return 0;
    }
}

}  // namespace

bool HotkeyCapture::isCapturedKey(unsigned keyCode) {
    return keyCode != keyEnter && keyCode != keyTab && keyCode != keyApps;
}

void HotkeyCapture::set(unsigned keyCode, unsigned modifiers) {
    key_ = keyCode & 0xFF;
    modifiers_ = modifiers & (modAlt | modCtrl | modShift | modWin);
    released_ = modifiers_;
    keyHeld_ = false;
}

bool HotkeyCapture::process(unsigned keyCode, bool up) {
    if (keyCode == 0 || keyCode > 0xFF || !isCapturedKey(keyCode)) {
        return false;
    }
    const unsigned oldKey = key_;
    const unsigned oldModifiers = modifiers_;
    if (keyCode == keyEscape) {
        if (!up) {
            key_ = 0;
            released_ = modifiers_;
            modifiers_ = 0;
            keyHeld_ = false;
        }
        return key_ != oldKey || modifiers_ != oldModifiers;
    }
    const unsigned bit = modifierOf(keyCode);
    if (!(bit != 0 ? processModifier(bit, up) : processKey(keyCode, up))) {
        return false;
    }
    if (key_ != 0 && (modifiers_ == 0 || modifiers_ == modAlt)) {
        modifiers_ |= modCtrl;
    }
    return key_ != oldKey || modifiers_ != oldModifiers;
}

bool HotkeyCapture::processModifier(unsigned bit, bool up) {
    if (!up) {
        // A modifier after a finished combination starts the next one.
        if (!keyHeld_ && key_ != 0) {
            key_ = 0;
            modifiers_ = 0;
            released_ = 0;
        }
        released_ &= ~bit;
    } else if ((modifiers_ & bit) != 0) {
        released_ |= bit;
    }
    if (!up) {
        if (keyHeld_ || key_ == 0) {
            modifiers_ |= bit;
        }
    } else if (key_ == 0) {
        // Only a combination still without its key loses a modifier that comes up: once
        // the key went down, the modifiers held with it belong to it, whichever of them
        // the user lets go first.
        modifiers_ &= ~bit;
    }
    return true;
}

bool HotkeyCapture::processKey(unsigned keyCode, bool up) {
    // Ctrl + Alt + Delete belongs to the system.
    if (keyCode == keyDelete && modifiers_ == (modCtrl | modAlt)) {
        return false;
    }
    if (up) {
        if (keyHeld_ && keyCode == key_) {
            keyHeld_ = false;
        }
        return false;
    }
    if (keyHeld_) {
        return false;
    }
    // Modifiers let go since the last combination are no longer part of the next one.
    if ((released_ & modifiers_) != 0) {
        modifiers_ = 0;
        released_ = 0;
    }
    key_ = keyCode;
    keyHeld_ = true;
    return true;
}

}  // namespace ui::input
