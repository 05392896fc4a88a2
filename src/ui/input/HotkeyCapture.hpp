#pragma once

namespace ui::input {

// Builds a hot key from the key presses and releases seen by a hot key edit: modifiers
// gather until a key goes down, and the finished combination stays shown after the keys
// come up. A combination always holds Ctrl, Shift or Win: a key alone, or with Alt only,
// gets Ctrl.
class HotkeyCapture {
public:
    // Enter, Tab and the Apps key keep their usual meaning in a dialog and are never
    // taken into a combination.
    static bool isCapturedKey(unsigned keyCode);

    // Shows a stored combination as finished.
    void set(unsigned keyCode, unsigned modifiers);
    // Takes one press or release of a virtual key; answers whether the combination changed.
    bool process(unsigned keyCode, bool up);

    unsigned getKey() const { return key_; }
    unsigned getModifiers() const { return modifiers_; }

private:
    bool processModifier(unsigned bit, bool up);
    bool processKey(unsigned keyCode, bool up);

    unsigned key_ = 0;
    unsigned modifiers_ = 0;
    // Modifiers of the combination that have come up since they went down.
    unsigned released_ = 0;
    bool keyHeld_ = false;
};

}  // namespace ui::input
