#pragma once

#include "ui/Window.hpp"

namespace ui {

// An invisible message-only window: it receives posted and sent messages and nothing else.
class MessageWindow : public Window {
public:
    MessageWindow();
    ~MessageWindow() override;

    HWND getParentHandle() const override;
    std::wstring getClassName() const override;
    unsigned getStyle() const override;
};

}  // namespace ui
