#pragma once

#include "gdi/Rect.hpp"
#include "ui/Sizable.hpp"
#include "ui/Window.hpp"

namespace ui {

// A window with a size that paints and can be shown.
class VisualWindow : public Window, public Sizable {
public:
    bool handleMessage(const MSG& msg, LRESULT& result) override;

    virtual int getMinWidth() const;
    virtual int getMinHeight() const;
    // Shows the window with the given show command, then updates it.
    virtual void show(int showCommand);
    virtual bool onGetMinMaxInfo(MINMAXINFO* info);
    virtual bool onPaint();
    virtual bool onNcCalcSize(NCCALCSIZE_PARAMS* params, LRESULT& result);
    virtual bool onNcCalcSize(RECT* rect);
    virtual bool onNcPaint(HRGN region);
    virtual bool onEraseBackground(HDC dc);
    virtual bool onShow(bool shown, int status);
    virtual bool onSize(int width, int height);
    virtual bool onSizing(gdi::Rect rect);
    virtual bool onWindowPosChanging(WINDOWPOS* windowPos);
    virtual bool onWindowPosChanged(WINDOWPOS* windowPos);

    void setWidth(int width) override;
    void setHeight(int height) override;
    void setMinWidth(int width) override;
    void setMinHeight(int height) override;

    // The window rectangle's size; 0 while there is no window.
    int getWindowWidth() const;
    int getWindowHeight() const;

private:
    int minWidth_ = 0;
    int minHeight_ = 0;
};

}  // namespace ui
