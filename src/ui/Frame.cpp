#include "ui/Frame.hpp"

namespace ui {

Frame::Frame(const std::wstring& title, Window* owner) : FrameWindow(title, owner) {
    menubar_.install(this);
}

Frame::~Frame() = default;

std::wstring Frame::getClassName() const {
    return L"Oskel.Frame";
}

unsigned Frame::getStyle() const {
    return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

unsigned Frame::getExStyle() const {
    return WS_EX_APPWINDOW | WS_EX_CLIENTEDGE;
}

bool Frame::onCreate(CREATESTRUCT* createStruct) {
    menubar_.attach(getHandle());
    return FrameWindow::onCreate(createStruct);
}

bool Frame::preTranslateMessage(MSG* msg) {
    if (FrameWindow::preTranslateMessage(msg)) {
        return true;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        return false;
    }
    return IsDialogMessageW(getHandle(), msg) != FALSE;
}

}  // namespace ui
