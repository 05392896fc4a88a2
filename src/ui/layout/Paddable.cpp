#include "ui/layout/Paddable.hpp"

namespace ui::layout {

std::int16_t Paddable::getPaddingLeft() const {
    return paddingLeft_;
}

std::int16_t Paddable::getPaddingTop() const {
    return paddingTop_;
}

std::int16_t Paddable::getPaddingRight() const {
    return paddingRight_;
}

std::int16_t Paddable::getPaddingBottom() const {
    return paddingBottom_;
}

void Paddable::setPaddings(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom) {
    paddingLeft_ = left;
    paddingTop_ = top;
    paddingRight_ = right;
    paddingBottom_ = bottom;
}

}  // namespace ui::layout
