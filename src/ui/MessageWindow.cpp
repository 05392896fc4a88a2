#include "ui/MessageWindow.hpp"

namespace ui {

MessageWindow::MessageWindow() = default;

MessageWindow::~MessageWindow() = default;

HWND MessageWindow::getParentHandle() const {
    return HWND_MESSAGE;
}

std::wstring MessageWindow::getClassName() const {
    return L"Oskel.MessageWindow";
}

unsigned MessageWindow::getStyle() const {
    return 0;
}

}  // namespace ui
