#pragma once

#include <cstdint>

namespace ui::layout {

// Something with paddings: space kept free inside its own box. Setting them lays nothing out;
// the owner updates afterwards when it is already placed.
class Paddable {
public:
    virtual std::int16_t getPaddingLeft() const;
    virtual std::int16_t getPaddingTop() const;
    virtual std::int16_t getPaddingRight() const;
    virtual std::int16_t getPaddingBottom() const;
    virtual void setPaddings(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);

protected:
    Paddable() = default;
    Paddable(const Paddable&) = default;
    Paddable& operator=(const Paddable&) = default;
    // Never deleted through this face.
    ~Paddable() = default;

private:
    std::int16_t paddingLeft_ = 0;
    std::int16_t paddingTop_ = 0;
    std::int16_t paddingRight_ = 0;
    std::int16_t paddingBottom_ = 0;
};

}  // namespace ui::layout
