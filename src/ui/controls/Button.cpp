#include "ui/controls/Button.hpp"

#include <utility>

namespace ui::controls {

Button::Button(Window* parent, std::wstring caption, bool isDefault, unsigned extraStyle)
    : Control(parent), caption_(std::move(caption)), extraStyle_(extraStyle), default_(isDefault) {}

// The window goes while the object is still whole: a focused control tells its parent that
// it lost the focus, and the parent hands that notification back to this object.
Button::~Button() {
    if (isAttached()) {
        destroy();
    }
}

std::wstring Button::getClassName() const {
    return L"Oskel.Button";
}

std::wstring Button::getSuperclassName() const {
    return L"button";
}

unsigned Button::getStyle() const {
    return Control::getStyle() | extraStyle_ | (default_ ? BS_DEFPUSHBUTTON : 0);
}

bool Button::onCreate(CREATESTRUCT*) {
    SetWindowTextW(getHandle(), caption_.c_str());
    setMinWidth(75);
    setMinHeight(24);
    setWidth(75);
    setHeight(24);
    setMargins(3, 3, 3, 3);
    if (default_) {
        PostMessageW(getParentHandle(), DM_SETDEFID, static_cast<WPARAM>(getId()), 0);
    }
    return false;
}

bool Button::onCommand(int code, ULONG_PTR) {
    if (code == BN_CLICKED) {
        clicked();
        return true;
    }
    return false;
}

}  // namespace ui::controls
