#pragma once

#include "gdi/Rect.hpp"

#include <string>

namespace gdi {
class Canvas;
class Icon;
}  // namespace gdi

namespace ui::menu {

// One entry of a popup menu, drawn by the program. Every item object takes the next id of
// a process-wide counter when it is constructed; the id is the entry's command identifier
// and its owner-draw item data.
class BasicItem {
public:
    BasicItem();
    BasicItem(const BasicItem&) = delete;
    BasicItem& operator=(const BasicItem&) = delete;
    virtual ~BasicItem();

    // The flags the entry is appended with; owner-draw is always among them.
    virtual unsigned getMenuFlags() const = 0;
    virtual gdi::Icon getIcon() const = 0;
    virtual std::wstring getText() const = 0;
    virtual bool isEnabled() const;
    virtual int measureWidth() const;
    virtual int measureHeight() const;
    // `state` holds the owner-draw state bits (selected, disabled, no accelerator cues).
    virtual void draw(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state);
    virtual void drawBackground(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state);
    virtual void drawLabel(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state);
    virtual void drawShortcut(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state);
    virtual void drawIcon(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state);

    int getId() const { return id_; }

private:
    const int id_;
};

}  // namespace ui::menu
