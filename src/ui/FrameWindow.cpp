#include "ui/FrameWindow.hpp"

namespace ui {

FrameWindow::FrameWindow(const std::wstring& title, Window* owner) : TopWindow(owner), title_(title) {
    accelerators_.install(this);
}

FrameWindow::~FrameWindow() = default;

bool FrameWindow::handleMessage(const MSG& msg, LRESULT& result) {
    switch (msg.message) {
    case WM_ACTIVATE:
        return onActivate(msg.wParam, msg.lParam);
    case WM_CLOSE:
        return onClose();
    case WM_SYSCOMMAND:
        return onSysCommand(static_cast<int>(msg.wParam));
    default:
        return TopWindow::handleMessage(msg, result);
    }
}

unsigned FrameWindow::getStyle() const {
    return WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
}

bool FrameWindow::onCreate(CREATESTRUCT* createStruct) {
    SetWindowTextW(getHandle(), title_.c_str());
    return TopWindow::onCreate(createStruct);
}

void FrameWindow::afterCreate() {
    buildMenus();
    accelerators_.activate();
    TopWindow::afterCreate();
}

bool FrameWindow::preTranslateMessage(MSG* msg) {
    return accelerators_.translate(getHandle(), msg);
}

bool FrameWindow::onActivate(WPARAM, LPARAM) {
    InvalidateRect(getHandle(), nullptr, TRUE);
    UpdateWindow(getHandle());
    return false;
}

bool FrameWindow::onClose() {
    closed();
    return true;
}

bool FrameWindow::onSysCommand(int) {
    return false;
}

void FrameWindow::buildMenus() {}

void FrameWindow::setSmallIcon(int resourceId) {
    smallIcon_ = gdi::Icon(resourceId, 16, 16);
    SendMessageW(getHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.getHandle()));
}

void FrameWindow::setBigIcon(int resourceId) {
    bigIcon_ = gdi::Icon(resourceId, 32, 32);
    SendMessageW(getHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.getHandle()));
}

}  // namespace ui
