#pragma once

#include "ui/ChildWindow.hpp"

namespace gdi {
class Canvas;
}

namespace ui::controls {

// A plain coloured area behind other controls; it never takes input.
class Panel : public ChildWindow {
public:
    Panel(Window* parent, int width, int height);

    bool handleMessage(const MSG& msg, LRESULT& result) override;
    std::wstring getClassName() const override;
    void afterCreate() override;
    bool onPaint() override;
    bool onNcPaint(HRGN region) override;
    bool onEraseBackground(HDC dc) override;

    COLORREF getBackgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(COLORREF color);

private:
    void paint(gdi::Canvas& canvas);

    COLORREF backgroundColor_;
    int width_;
    int height_;
};

}  // namespace ui::controls
