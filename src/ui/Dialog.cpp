#include "ui/Dialog.hpp"

#include "ui/layout/Layoutable.hpp"

namespace ui {

Dialog::Dialog(const std::wstring& title, Window* owner) : FrameWindow(title, owner) {
    loop_.setFilter([this](MSG* msg) { return preTranslateMessage(msg); });
}

Dialog::~Dialog() = default;

bool Dialog::handleMessage(const MSG& msg, LRESULT& result) {
    switch (msg.message) {
    case WM_ACTIVATEAPP:
        return onActivateApp(msg.wParam != 0);
    case DM_GETDEFID:
        return onGetDefId(result);
    case DM_SETDEFID:
        return onSetDefId(static_cast<int>(msg.wParam));
    default:
        return FrameWindow::handleMessage(msg, result);
    }
}

std::wstring Dialog::getClassName() const {
    return L"Oskel.Dialog";
}

unsigned Dialog::getStyle() const {
    const unsigned style = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
    return isResizable() ? style | WS_THICKFRAME | WS_MAXIMIZEBOX : style;
}

unsigned Dialog::getExStyle() const {
    return WS_EX_DLGMODALFRAME;
}

bool Dialog::onCreate(CREATESTRUCT* createStruct) {
    if (!isResizable()) {
        HMENU menu = GetSystemMenu(getHandle(), FALSE);
        for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
            RemoveMenu(menu, command, MF_BYCOMMAND);
        }
    }
    return FrameWindow::onCreate(createStruct);
}

bool Dialog::onDestroy() {
    loop_.setDone();
    return true;
}

bool Dialog::onClose() {
    enableOwner();
    destroy();
    return FrameWindow::onClose();
}

bool Dialog::preTranslateMessage(MSG* msg) {
    if (FrameWindow::preTranslateMessage(msg)) {
        return true;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        close();
        return true;
    }
    return IsDialogMessageW(getHandle(), msg) != FALSE;
}

bool Dialog::onActivateApp(bool active) {
    if (active && getOwner() != nullptr && getOwner()->isAttached()) {
        SetActiveWindow(getOwner()->getHandle());
        PostMessageW(getHandle(), WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(getHandle()));
    }
    return false;
}

bool Dialog::onGetDefId(LRESULT& result) {
    if (defaultButtonId_ == 0) {
        return false;
    }
    result = MAKELRESULT(defaultButtonId_, DC_HASDEFID);
    return true;
}

bool Dialog::onSetDefId(int id) {
    defaultButtonId_ = id;
    return true;
}

bool Dialog::isResizable() const {
    return false;
}

DialogResult Dialog::showModal(Placement placement) {
    if (getOwner() != nullptr && getOwner()->isAttached()) {
        EnableWindow(getOwner()->getHandle(), FALSE);
    }
    if (placement == Placement::centered) {
        centerOnOwner();
    }
    show(SW_SHOW);
    const ModalLoop::Ending ending = loop_.run();
    if (ending != ModalLoop::Ending::done) {
        // The loop ended without the dialog closing: the application is quitting. The owner
        // must not stay disabled, and the quit must reach the outer loop.
        enableOwner();
        if (isAttached()) {
            destroy();
        }
        if (ending == ModalLoop::Ending::quit) {
            PostQuitMessage(loop_.getQuitCode());
        }
    }
    return result_;
}

void Dialog::close() {
    PostMessageW(getHandle(), WM_CLOSE, 0, 0);
}

void Dialog::centerOnOwner() {
    layout::ensureMinimumSize(getRootPane(), false);
    if (getOwner() == nullptr || !getOwner()->isAttached()) {
        return;
    }
    RECT ownerClient;
    GetClientRect(getOwner()->getHandle(), &ownerClient);
    MapWindowPoints(getOwner()->getHandle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&ownerClient), 2);
    RECT window;
    RECT client;
    GetWindowRect(getHandle(), &window);
    GetClientRect(getHandle(), &client);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int nonClientHeight = height - (client.bottom - client.top);
    const int centreX = ownerClient.left + (ownerClient.right - ownerClient.left) / 2;
    const int centreY = ownerClient.top + (ownerClient.bottom - ownerClient.top) / 2;
    const int x = centreX - width / 2;
    const int y = centreY - (client.bottom - client.top) / 2 - nonClientHeight / 2;
    SetWindowPos(getHandle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::enableOwner() {
    if (getOwner() != nullptr && getOwner()->isAttached()) {
        EnableWindow(getOwner()->getHandle(), TRUE);
    }
}

}  // namespace ui
