#pragma once

#include "ui/FrameWindow.hpp"
#include "ui/menu/Menubar.hpp"

namespace ui {

// The main window kind: a resizable frame with a menu bar. Tab moves the focus between its
// controls; Enter always reaches the focused control.
class Frame : public FrameWindow {
public:
    Frame(const std::wstring& title, Window* owner);
    ~Frame() override = 0;

    std::wstring getClassName() const override;
    unsigned getStyle() const override;
    unsigned getExStyle() const override;
    bool onCreate(CREATESTRUCT* createStruct) override;
    bool preTranslateMessage(MSG* msg) override;

    menu::Menubar& getMenubar() { return menubar_; }

private:
    menu::Menubar menubar_;
};

}  // namespace ui
