#pragma once

#include <memory>

namespace ui::layout {

// Places the items it refers to (it owns none) inside a rectangle. Layouts are values: a pane
// keeps its own copy, made with clone.
class Layout {
public:
    virtual ~Layout() = default;

    virtual int getMinWidth() const = 0;
    virtual int getMinHeight() const = 0;
    virtual bool isEmpty() const = 0;
    virtual void doLayout(int x, int y, int width, int height, bool repaint) = 0;
    virtual std::unique_ptr<Layout> clone() const = 0;

protected:
    Layout() = default;
    Layout(const Layout&) = default;
    Layout& operator=(const Layout&) = default;
};

}  // namespace ui::layout
