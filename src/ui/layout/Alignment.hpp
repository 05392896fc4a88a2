#pragma once

namespace ui::layout {

// How a box layout aligns its items on one axis. Each box handles only the tokens that make
// sense on that axis; any other token puts the items just outside the pane.
enum class Alignment { left, center, right, top, bottom, fill, leftEdge, rightEdge, topEdge, bottomEdge };

}  // namespace ui::layout
