#include "ui/controls/Edit.hpp"

#include "ui/controls/WindowText.hpp"

namespace ui::controls {

Edit::Edit(Window* parent, unsigned style, unsigned exStyle)
    : FramedControl(parent), style_(style != 0 ? style : ES_AUTOHSCROLL), exStyle_(exStyle) {
    setPaddings(3, 3, 3, 3);
}

// The window goes while the object is still whole: a focused control tells its parent that
// it lost the focus, and the parent hands that notification back to this object.
Edit::~Edit() {
    if (isAttached()) {
        destroy();
    }
}

std::wstring Edit::getClassName() const {
    return L"Oskel.Edit";
}

std::wstring Edit::getSuperclassName() const {
    return L"EDIT";
}

unsigned Edit::getStyle() const {
    return Control::getStyle() | style_;
}

unsigned Edit::getExStyle() const {
    return exStyle_;
}

void Edit::afterCreate() {
    setMinWidth(175);
    setMinHeight(22);
    setWidth(175);
    setHeight(22);
    setMargins(4, 4, 4, 4);
    // Zero lifts the default limit to the system's maximum.
    SendMessageW(getHandle(), EM_LIMITTEXT, 0, 0);
    Control::afterCreate();
}

// Without items of its own the system's edit menu appears.
bool Edit::onContextMenu(HWND window, int x, int y) {
    if (contextMenu.isEmpty()) {
        return false;
    }
    showContextMenu(window, x, y);
    return true;
}

bool Edit::onCommand(int code, ULONG_PTR) {
    if (code == EN_CHANGE) {
        changed();
        return true;
    }
    return false;
}

std::wstring Edit::getText() const {
    return getWindowText(getHandle());
}

void Edit::setText(const std::wstring& text) {
    SetWindowTextW(getHandle(), text.c_str());
}

void Edit::setReadOnly(bool readOnly) {
    SendMessageW(getHandle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
    // The band's colour follows the read-only state.
    refreshFrame();
}

}  // namespace ui::controls
