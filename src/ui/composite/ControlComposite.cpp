#include "ui/composite/ControlComposite.hpp"

#include "err/Exceptions.hpp"

#include <utility>

namespace ui::composite {

ControlComposite::ControlComposite(std::unique_ptr<layout::Layoutable> inner) : inner_(std::move(inner)) {
    if (!inner_) {
        err::throwInvalidArgument("ui::composite::ControlComposite::ControlComposite", "inner");
    }
}

ControlComposite::~ControlComposite() = default;

int ControlComposite::getX() const {
    return inner_->getX();
}

int ControlComposite::getY() const {
    return inner_->getY();
}

int ControlComposite::getWidth() const {
    return inner_->getWidth();
}

int ControlComposite::getHeight() const {
    return inner_->getHeight();
}

int ControlComposite::getMinWidth() const {
    return inner_->getMinWidth();
}

int ControlComposite::getMinHeight() const {
    return inner_->getMinHeight();
}

void ControlComposite::setBounds(int x, int y, int width, int height, bool repaint) {
    inner_->setBounds(x, y, width, height, repaint);
}

}  // namespace ui::composite
