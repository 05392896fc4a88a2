#pragma once

namespace ui::layout {

// Where a place layout puts an item. Only compared for identity.
enum class Place { left, center, right, top, bottom };

}  // namespace ui::layout
