#include "ui/ToolTipper.hpp"

#include <commctrl.h>

namespace ui {

ToolTipper::ToolTipper(Window* parent, unsigned extraStyle) : PopupWindow(parent), extraStyle_(extraStyle) {
    // The system tooltip class exists once the common controls have registered it.
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
}

ToolTipper::~ToolTipper() {
    if (isAttached()) {
        destroy();
    }
}

std::wstring ToolTipper::getClassName() const {
    return L"Oskel.ToolTipper";
}

std::wstring ToolTipper::getSuperclassName() const {
    return TOOLTIPS_CLASSW;
}

unsigned ToolTipper::getStyle() const {
    return extraStyle_ | WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TTS_ALWAYSTIP | TTS_NOPREFIX;
}

unsigned ToolTipper::getExStyle() const {
    return WS_EX_TOPMOST;
}

void ToolTipper::afterCreate() {
    SetWindowPos(getHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace ui
