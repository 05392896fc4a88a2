#pragma once

#include "ui/layout/Layoutable.hpp"

#include <memory>

namespace ui::composite {

// Several controls placed as one item: every layout operation goes to the inner item, which
// the composite owns. The composite's own margins are its margins in the enclosing layout.
class ControlComposite : public layout::Layoutable {
public:
    // A null inner item throws err::InvalidArgumentException.
    explicit ControlComposite(std::unique_ptr<layout::Layoutable> inner);
    ~ControlComposite() override;
    ControlComposite(const ControlComposite&) = delete;
    ControlComposite& operator=(const ControlComposite&) = delete;

    int getX() const override;
    int getY() const override;
    int getWidth() const override;
    int getHeight() const override;
    int getMinWidth() const override;
    int getMinHeight() const override;
    void setBounds(int x, int y, int width, int height, bool repaint) override;

protected:
    layout::Layoutable& getInner() const { return *inner_; }

private:
    std::unique_ptr<layout::Layoutable> inner_;
};

}  // namespace ui::composite
