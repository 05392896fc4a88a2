#pragma once

#include "ui/layout/AssignablePane.hpp"
#include "ui/layout/Layout.hpp"
#include "ui/layout/Paddable.hpp"
#include "ui/layout/Place.hpp"

#include <boost/ptr_container/ptr_vector.hpp>

#include <memory>

namespace ui::layout {

// A rectangle with paddings that owns a copy of its layout and the sub-panes created in it.
// The layout places the pane's items inside the padded rectangle whenever the pane is updated.
class Pane : public impl::AssignablePane, public Paddable {
public:
    Pane(const Layout& layout, int width, int height);
    ~Pane() override;
    Pane(const Pane&) = delete;
    Pane& operator=(const Pane&) = delete;

    // At least the layout's minimum plus the paddings.
    int getMinWidth() const override;
    int getMinHeight() const override;
    void update(bool repaint) override;

    // Replaces the layout, which must be empty, with a copy of `layout`.
    void setLayout(const Layout& layout);
    const Layout& getLayout() const { return *layout_; }

    // Creates a sub-pane owned by this pane and puts it at `place` of the place layout.
    Pane& addPane(Place place, const Layout& layout, int width, int height);
    // Creates a sub-pane owned by this pane and appends it to the array layout.
    Pane& addPane(const Layout& layout, int width, int height);

    // Puts the item (not owned) at `place` of the place layout, then updates the pane.
    void put(Layoutable* item, Place place);
    // Appends the item (not owned) to the array layout, then updates the pane.
    void put(Layoutable* item);

private:
    std::unique_ptr<Layout> layout_;
    boost::ptr_vector<Pane> panes_;
};

}  // namespace ui::layout
