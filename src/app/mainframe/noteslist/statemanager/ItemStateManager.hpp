#pragma once

#include "app/mainframe/noteslist/statemanager/selection.hpp"

#include <functional>
#include <unordered_map>

namespace app::mainframe::noteslist::statemanager {

// How the next focus move treats the selection.
enum class SelectionMode {
    single,         // the moved-to item alone is selected
    moveOnly,       // the selection stays as it is
    extend,         // the range from the old focus grows or shrinks
    selectAndMove,  // the moved-to item is added
};

// The selection, the focus and the per-item text scroll offsets of a list.
class ItemStateManager {
public:
    struct Move {
        int previous = 0;  // the focus before the move
        bool focusChanged = false;
        bool selectionChanged = false;
    };

    selection<int>& getSelection() { return selection_; }
    const selection<int>& getSelection() const { return selection_; }
    int getFocus() const { return focus_; }
    SelectionMode getMode() const { return mode_; }
    void setMode(SelectionMode mode) { mode_ = mode; }

    // Moves the focus to i, clamped to the items, and changes the selection as the mode
    // says. Nothing happens in an empty list.
    Move moveFocus(int i, int count);
    // Every item, as one run.
    bool selectAll(int count);

    int getTextOffset(int item) const;
    void setTextOffset(int item, int offset);
    // Brings every stored offset within what its item can scroll now (after the width or
    // the shown lines changed): clampOffset(item, offset) answers the allowed offset.
    void clampTextOffsets(const std::function<int(int item, int offset)>& clampOffset);
    void resetTextOffsets() { textOffsets_.clear(); }

private:
    selection<int> selection_;
    int focus_ = 0;
    SelectionMode mode_ = SelectionMode::single;
    std::unordered_map<int, int> textOffsets_;  // only the items scrolled away from 0
};

}  // namespace app::mainframe::noteslist::statemanager
