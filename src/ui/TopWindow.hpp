#pragma once

#include "ui/Control.hpp"
#include "ui/VisualWindow.hpp"
#include "ui/layout/Pane.hpp"

#include <memory>

namespace ui {

// A top-level window with an optional owner. Its root pane is laid out whenever the window
// is sized, and the window's minimum size leaves room for the pane's minimum.
class TopWindow : public VisualWindow {
public:
    explicit TopWindow(Window* owner);
    ~TopWindow() override = 0;

    bool handleMessage(const MSG& msg, LRESULT& result) override;
    HWND getParentHandle() const override;
    unsigned getStyle() const override;
    int getMinWidth() const override;
    int getMinHeight() const override;
    void afterCreate() override;
    bool onSize(int width, int height) override;
    bool onWindowPosChanging(WINDOWPOS* windowPos) override;

    // Answers true when the message was consumed before dispatch.
    virtual bool preTranslateMessage(MSG* msg);
    virtual bool reflectNotification(Control& control, int code, ULONG_PTR param);
    virtual bool onSetFocus();
    virtual bool onKillFocus();

    void setDefaultControl(Control* control);
    layout::Pane& getRootPane() { return *rootPane_; }
    Window* getOwner() const { return owner_; }

    bool isTopmost() const;
    void setTopmost(bool on);

protected:
    int getNonClientWidth() const;
    int getNonClientHeight() const;

private:
    Window* owner_;
    Control* defaultControl_ = nullptr;
    // The control that last lost the focus, by handle: it may be destroyed before the
    // window is activated again.
    HWND lastFocusedControl_ = nullptr;
    std::unique_ptr<layout::Pane> rootPane_;
};

}  // namespace ui
