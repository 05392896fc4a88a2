#include "ui/ChildWindow.hpp"

#include "err/Exceptions.hpp"
#include "ui/Reflection.hpp"

#include <windowsx.h>

namespace ui {

namespace {

int nextChildId = 0;

Window* requireParent(Window* parent) {
    if (parent == nullptr) {
        err::throwInvalidArgument("ui::ChildWindow::ChildWindow", "parent != 0");
    }
    return parent;
}

}  // namespace

ChildWindow::ChildWindow(Window* parent) : parent_(requireParent(parent)) {
    id_ = nextChildId++;
    contextMenu.install(this);
}

bool ChildWindow::handleMessage(const MSG& msg, LRESULT& result) {
    // A child window can hold controls of its own (a panel, a composite).
    if (reflectMessage(msg, result, UnknownSenders::pass)) {
        return true;
    }
    const int x = GET_X_LPARAM(msg.lParam);
    const int y = GET_Y_LPARAM(msg.lParam);
    const auto keys = static_cast<unsigned>(msg.wParam);
    switch (msg.message) {
    case WM_LBUTTONDOWN:
        return onLButtonDown(x, y, keys);
    case WM_LBUTTONUP:
        return onLButtonUp(x, y, keys);
    case WM_LBUTTONDBLCLK:
        return onLButtonDblClk(x, y, keys);
    case WM_RBUTTONDOWN:
        return onRButtonDown(x, y, keys);
    case WM_CONTEXTMENU:
        return onContextMenu(reinterpret_cast<HWND>(msg.wParam), x, y);
    case WM_NCHITTEST:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
        RECT window;
        GetWindowRect(msg.hwnd, &window);
        const int rx = x - window.left;
        const int ry = y - window.top;
        if (msg.message == WM_NCHITTEST) {
            return onNcHitTest(rx, ry, result);
        }
        return msg.message == WM_NCLBUTTONDOWN ? onNcLButtonDown(rx, ry) : onNcRButtonDown(rx, ry);
    }
    default:
        return VisualWindow::handleMessage(msg, result);
    }
}

HWND ChildWindow::getParentHandle() const {
    return parent_->getHandle();
}

unsigned ChildWindow::getStyle() const {
    return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}

unsigned ChildWindow::getClassStyle() const {
    return CS_DBLCLKS;
}

int ChildWindow::getId() const {
    return id_;
}

void ChildWindow::afterCreate() {
    SendMessageW(getHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    show(SW_SHOW);
}

void ChildWindow::lockUpdates(bool locked) {
    SendMessageW(getHandle(), WM_SETREDRAW, locked ? FALSE : TRUE, 0);
}

bool ChildWindow::onContextMenu(HWND window, int x, int y) {
    if (!contextMenu.isEmpty()) {
        showContextMenu(window, x, y);
    } else {
        PostMessageW(getParentHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(x, y));
    }
    return true;
}

bool ChildWindow::onLButtonDown(int, int, unsigned) {
    return false;
}

bool ChildWindow::onLButtonUp(int, int, unsigned) {
    return false;
}

bool ChildWindow::onRButtonDown(int, int, unsigned) {
    return false;
}

bool ChildWindow::onLButtonDblClk(int, int, unsigned) {
    return false;
}

bool ChildWindow::onNcLButtonDown(int, int) {
    return false;
}

bool ChildWindow::onNcRButtonDown(int, int) {
    return false;
}

bool ChildWindow::onNcHitTest(int, int, LRESULT&) {
    return false;
}

int ChildWindow::getContextMenuX() const {
    RECT window;
    GetWindowRect(getHandle(), &window);
    return window.left + 10;
}

int ChildWindow::getContextMenuY() const {
    RECT window;
    GetWindowRect(getHandle(), &window);
    return window.top + 10;
}

void ChildWindow::showContextMenu(HWND, int x, int y) {
    if (contextMenu.isEmpty()) {
        return;
    }
    // The keyboard's context-menu key gives (-1, -1).
    if (x == -1 && y == -1) {
        x = getContextMenuX();
        y = getContextMenuY();
    }
    contextMenu.track(x, y, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON);
}

RECT ChildWindow::windowRectInParent() const {
    RECT r{};
    if (!isAttached() || !GetWindowRect(getHandle(), &r)) {
        return RECT{};
    }
    MapWindowPoints(HWND_DESKTOP, GetParent(getHandle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int ChildWindow::getX() const {
    return windowRectInParent().left;
}

int ChildWindow::getY() const {
    return windowRectInParent().top;
}

int ChildWindow::getWidth() const {
    return getWindowWidth();
}

int ChildWindow::getHeight() const {
    return getWindowHeight();
}

int ChildWindow::getMinWidth() const {
    return VisualWindow::getMinWidth();
}

int ChildWindow::getMinHeight() const {
    return VisualWindow::getMinHeight();
}

void ChildWindow::setBounds(int x, int y, int width, int height, bool repaint) {
    if (!isAttached() || (x == lastX_ && y == lastY_ && width == lastWidth_ && height == lastHeight_)) {
        return;
    }
    const bool visible = IsWindowVisible(getHandle()) != FALSE;
    const RECT before = visible && repaint ? windowRectInParent() : RECT{};
    if (visible) {
        lockUpdates(true);
    }
    const UINT flags = repaint ? SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER
                               : SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER;
    SetWindowPos(getHandle(), nullptr, x, y, width, height, flags);
    if (visible) {
        lockUpdates(false);
        if (repaint) {
            // While its drawing was switched off the window counted as hidden: neither the
            // place it left nor the one it took were repainted.
            RedrawWindow(GetParent(getHandle()), &before, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            RedrawWindow(getHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    }
    lastX_ = x;
    lastY_ = y;
    lastWidth_ = width;
    lastHeight_ = height;
}

}  // namespace ui
