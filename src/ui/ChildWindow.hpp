#pragma once

#include "ui/VisualWindow.hpp"
#include "ui/layout/Layoutable.hpp"
#include "ui/menu/Popup.hpp"

namespace ui {

// A child window: it has a parent, an id taken in construction order, a place in its
// parent's layout and an optional context menu.
class ChildWindow : public VisualWindow, public layout::Layoutable {
public:
    explicit ChildWindow(Window* parent);

    bool handleMessage(const MSG& msg, LRESULT& result) override;
    HWND getParentHandle() const override;
    unsigned getStyle() const override;
    unsigned getClassStyle() const override;
    int getId() const override;
    void afterCreate() override;

    virtual void lockUpdates(bool locked);
    virtual bool onContextMenu(HWND window, int x, int y);
    virtual bool onLButtonDown(int x, int y, unsigned keys);
    virtual bool onLButtonUp(int x, int y, unsigned keys);
    virtual bool onRButtonDown(int x, int y, unsigned keys);
    virtual bool onLButtonDblClk(int x, int y, unsigned keys);
    virtual bool onNcLButtonDown(int x, int y);
    virtual bool onNcRButtonDown(int x, int y);
    virtual bool onNcHitTest(int x, int y, LRESULT& result);
    virtual int getContextMenuX() const;
    virtual int getContextMenuY() const;
    virtual void showContextMenu(HWND window, int x, int y);

    // Position in the parent's client area and size of the window rectangle.
    int getX() const override;
    int getY() const override;
    int getWidth() const override;
    int getHeight() const override;
    int getMinWidth() const override;
    int getMinHeight() const override;
    void setBounds(int x, int y, int width, int height, bool repaint) override;

    Window* getParent() const { return parent_; }

    menu::Popup contextMenu;

private:
    RECT windowRectInParent() const;

    int id_;
    Window* parent_;
    int lastX_ = -1;
    int lastY_ = -1;
    int lastWidth_ = -1;
    int lastHeight_ = -1;
};

}  // namespace ui
