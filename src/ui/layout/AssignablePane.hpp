#pragma once

#include "ui/layout/BasicPane.hpp"

namespace ui::layout::impl {

// A pane with an optional content item (not owned) that always covers the whole pane, for
// example a background panel behind the pane's other items.
class AssignablePane : public BasicPane {
public:
    AssignablePane(int width, int height);

    // The larger of the pane's own minimum and the content's.
    int getMinWidth() const override;
    int getMinHeight() const override;
    void update(bool repaint) override;

    // The item becomes the content (null for none), then the pane is updated.
    void setContent(Layoutable* content, bool repaint);
    Layoutable* getContent() const { return content_; }

private:
    Layoutable* content_ = nullptr;
};

}  // namespace ui::layout::impl
