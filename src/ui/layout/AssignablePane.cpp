#include "ui/layout/AssignablePane.hpp"

#include <algorithm>

namespace ui::layout::impl {

AssignablePane::AssignablePane(int width, int height) : BasicPane(width, height) {}

int AssignablePane::getMinWidth() const {
    return std::max(BasicPane::getMinWidth(), content_ ? content_->getMinWidth() : 0);
}

int AssignablePane::getMinHeight() const {
    return std::max(BasicPane::getMinHeight(), content_ ? content_->getMinHeight() : 0);
}

// The content fills the pane exactly: its margins are not applied.
void AssignablePane::update(bool repaint) {
    ensureMinimumSize(*this, false);
    if (content_) {
        content_->setBounds(getX(), getY(), getWidth(), getHeight(), repaint);
    }
}

void AssignablePane::setContent(Layoutable* content, bool repaint) {
    content_ = content;
    update(repaint);
}

}  // namespace ui::layout::impl
