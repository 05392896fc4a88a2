#pragma once

namespace ui {

// How a dialog ended.
enum class DialogResult { accepted, cancelled };

// Where a modal dialog appears: centred on its owner, or where it was created.
enum class Placement { centered, keepPosition };

}  // namespace ui
