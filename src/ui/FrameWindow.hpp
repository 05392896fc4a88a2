#pragma once

#include "gdi/Icon.hpp"
#include "ui/TopWindow.hpp"
#include "ui/input/Accelerators.hpp"

#include <boost/signals2/signal.hpp>

#include <string>

namespace ui {

// A top-level window with a title, window icons and keyboard accelerators. Its close box
// only raises `closed`: the owner decides what closing means.
class FrameWindow : public TopWindow {
public:
    FrameWindow(const std::wstring& title, Window* owner);
    ~FrameWindow() override = 0;

    bool handleMessage(const MSG& msg, LRESULT& result) override;
    unsigned getStyle() const override;
    bool onCreate(CREATESTRUCT* createStruct) override;
    void afterCreate() override;
    bool preTranslateMessage(MSG* msg) override;

    virtual bool onActivate(WPARAM wParam, LPARAM lParam);
    virtual bool onClose();
    virtual bool onSysCommand(int command);
    virtual void buildMenus();

    // Loads the icon resource at 16 x 16 and makes it the window's small icon.
    void setSmallIcon(int resourceId);
    // Loads the icon resource at 32 x 32 and makes it the window's big icon.
    void setBigIcon(int resourceId);

    const std::wstring& getTitle() const { return title_; }
    input::Accelerators& getAccelerators() { return accelerators_; }

    boost::signals2::signal<void()> closed;

private:
    std::wstring title_;
    input::Accelerators accelerators_;
    gdi::Icon smallIcon_;
    gdi::Icon bigIcon_;
};

}  // namespace ui
