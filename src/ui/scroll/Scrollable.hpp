#pragma once

#include <windows.h>

namespace ui::scroll {

// Something that scrolls a window's contents vertically and drives that window's
// standard scroll bar. Positions are in scroll-bar units.
class Scrollable {
public:
    virtual ~Scrollable() = default;

    // The virtual functions are declared in their table order; keep it.
    virtual HWND getScrollWindow() const = 0;
    virtual void setPosition(int units) = 0;
    virtual void scrollLines(int lines) = 0;
    virtual void scrollPages(int pages) = 0;
    virtual void scrollToEnd() = 0;
};

}  // namespace ui::scroll
