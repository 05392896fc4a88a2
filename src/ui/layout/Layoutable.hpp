#pragma once

#include <cstdint>

namespace ui::layout {

// Anything a layout can place: child windows, panes, composites. The margins are kept outside
// the item's own box; layouts work with the outer box, margins included.
class Layoutable {
public:
    Layoutable() = default;
    Layoutable(const Layoutable&) = default;
    Layoutable& operator=(const Layoutable&) = default;
    virtual ~Layoutable() = default;

    virtual int getX() const = 0;
    virtual int getY() const = 0;
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;
    virtual int getMinWidth() const = 0;
    virtual int getMinHeight() const = 0;
    virtual void setBounds(int x, int y, int width, int height, bool repaint) = 0;

    void setMargins(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);
    void setMarginLeft(std::int16_t margin) { marginLeft_ = margin; }
    void setMarginTop(std::int16_t margin) { marginTop_ = margin; }
    void setMarginRight(std::int16_t margin) { marginRight_ = margin; }
    void setMarginBottom(std::int16_t margin) { marginBottom_ = margin; }
    std::int16_t getMarginLeft() const { return marginLeft_; }
    std::int16_t getMarginTop() const { return marginTop_; }
    std::int16_t getMarginRight() const { return marginRight_; }
    std::int16_t getMarginBottom() const { return marginBottom_; }

    int getOuterWidth() const;
    int getOuterHeight() const;
    int getOuterMinWidth() const;
    int getOuterMinHeight() const;
    // Places the item so that its outer box is (x, y, width, height).
    void setOuterBounds(int x, int y, int width, int height, bool repaint);

private:
    std::int16_t marginLeft_ = 0;
    std::int16_t marginTop_ = 0;
    std::int16_t marginRight_ = 0;
    std::int16_t marginBottom_ = 0;
};

// Grows the item to its minimum size where it is smaller, keeping its position.
void ensureMinimumSize(Layoutable& item, bool repaint);

}  // namespace ui::layout
