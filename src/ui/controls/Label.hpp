#pragma once

#include "ui/ChildWindow.hpp"

#include <string>

namespace gdi {
class WeakCanvas;
}

namespace ui::controls {

// A static text as large as its text, in its own colours.
class Label : public ChildWindow {
public:
    Label(Window* parent, std::wstring text, unsigned style = 0, unsigned exStyle = 0);

    bool handleMessage(const MSG& msg, LRESULT& result) override;
    std::wstring getClassName() const override;
    std::wstring getSuperclassName() const override;
    unsigned getStyle() const override;
    unsigned getExStyle() const override;
    void afterCreate() override;

    // Sets the colours on the device context the static control paints with and answers
    // the brush it fills its background with.
    virtual bool onCtlColor(gdi::WeakCanvas& canvas, LRESULT& result);

    const std::wstring& getText() const { return text_; }
    void setText(const std::wstring& text);
    COLORREF getTextColor() const { return textColor_; }
    void setTextColor(COLORREF color);
    COLORREF getBackgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(COLORREF color);

private:
    void repaint();

    std::wstring text_;
    unsigned style_;
    unsigned exStyle_;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF backgroundColor_;
};

}  // namespace ui::controls
