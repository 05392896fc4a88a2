#include "ui/VisualWindow.hpp"

#include <algorithm>

namespace ui {

namespace {

constexpr UINT sizeOnlyFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

bool VisualWindow::handleMessage(const MSG& msg, LRESULT& result) {
    switch (msg.message) {
    case WM_GETMINMAXINFO:
        return onGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(msg.lParam));
    case WM_PAINT:
        return onPaint();
    case WM_ERASEBKGND:
        if (onEraseBackground(reinterpret_cast<HDC>(msg.wParam))) {
            result = 1;
            return true;
        }
        return onPaint();
    case WM_SIZE:
        if (msg.wParam == SIZE_RESTORED) {
            return onSize(LOWORD(msg.lParam), HIWORD(msg.lParam));
        }
        break;
    case WM_SHOWWINDOW:
        return onShow(msg.wParam == 1, static_cast<int>(msg.lParam));
    case WM_WINDOWPOSCHANGING:
        return onWindowPosChanging(reinterpret_cast<WINDOWPOS*>(msg.lParam));
    case WM_WINDOWPOSCHANGED:
        return onWindowPosChanged(reinterpret_cast<WINDOWPOS*>(msg.lParam));
    case WM_NCCALCSIZE:
        if (msg.wParam == 1) {
            return onNcCalcSize(reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.lParam), result);
        }
        return onNcCalcSize(reinterpret_cast<RECT*>(msg.lParam));
    case WM_NCPAINT:
        return onNcPaint(reinterpret_cast<HRGN>(msg.wParam));
    case WM_SIZING: {
        const RECT* r = reinterpret_cast<const RECT*>(msg.lParam);
        return onSizing(gdi::Rect(r->left, r->top, r->right, r->bottom));
    }
    default:
        break;
    }
    return Window::handleMessage(msg, result);
}

int VisualWindow::getMinWidth() const {
    return minWidth_;
}

int VisualWindow::getMinHeight() const {
    return minHeight_;
}

void VisualWindow::show(int showCommand) {
    ShowWindow(getHandle(), showCommand);
    UpdateWindow(getHandle());
}

bool VisualWindow::onGetMinMaxInfo(MINMAXINFO* info) {
    RECT client;
    if (GetClientRect(getHandle(), &client) && !IsRectEmpty(&client)) {
        info->ptMinTrackSize.x = getMinWidth();
        info->ptMinTrackSize.y = getMinHeight();
    }
    return true;
}

bool VisualWindow::onPaint() {
    return false;
}

bool VisualWindow::onNcCalcSize(NCCALCSIZE_PARAMS*, LRESULT&) {
    return false;
}

bool VisualWindow::onNcCalcSize(RECT*) {
    return false;
}

bool VisualWindow::onNcPaint(HRGN) {
    return false;
}

bool VisualWindow::onEraseBackground(HDC) {
    return false;
}

bool VisualWindow::onShow(bool, int) {
    return false;
}

bool VisualWindow::onSize(int, int) {
    return false;
}

bool VisualWindow::onSizing(gdi::Rect) {
    return false;
}

bool VisualWindow::onWindowPosChanging(WINDOWPOS*) {
    return false;
}

bool VisualWindow::onWindowPosChanged(WINDOWPOS*) {
    return false;
}

int VisualWindow::getWindowWidth() const {
    RECT r;
    return isAttached() && GetWindowRect(getHandle(), &r) ? r.right - r.left : 0;
}

int VisualWindow::getWindowHeight() const {
    RECT r;
    return isAttached() && GetWindowRect(getHandle(), &r) ? r.bottom - r.top : 0;
}

void VisualWindow::setWidth(int width) {
    SetWindowPos(getHandle(), nullptr, 0, 0, std::max(width, getMinWidth()), getWindowHeight(), sizeOnlyFlags);
}

void VisualWindow::setHeight(int height) {
    SetWindowPos(getHandle(), nullptr, 0, 0, getWindowWidth(), std::max(height, getMinHeight()), sizeOnlyFlags);
}

void VisualWindow::setMinWidth(int width) {
    minWidth_ = width;
    if (isAttached() && getWindowWidth() < width) {
        setWidth(width);
    }
}

void VisualWindow::setMinHeight(int height) {
    minHeight_ = height;
    if (isAttached() && getWindowHeight() < height) {
        setHeight(height);
    }
}

}  // namespace ui
