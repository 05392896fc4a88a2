#include "app/mainframe/noteslist/statemanager/ItemStateManager.hpp"

#include <algorithm>

namespace app::mainframe::noteslist::statemanager {

ItemStateManager::Move ItemStateManager::moveFocus(int i, int count) {
    Move move;
    move.previous = focus_;
    if (count <= 0) {
        return move;
    }
    i = std::clamp(i, 0, count - 1);
    const int p = std::clamp(focus_, 0, count - 1);
    const bool had = selection_.has(i);
    switch (mode_) {
    case SelectionMode::single:
        move.selectionChanged = !(had && selection_.size() == 1);
        selection_.clear();
        selection_.select(i);
        break;
    case SelectionMode::moveOnly:
        break;
    case SelectionMode::extend:
        // Toggling the range between the old and the new focus grows the selection away
        // from the anchor and shrinks it on the way back; the old focus stays selected
        // when the selection goes on past it.
        move.selectionChanged = i != p || !had;
        if (had) {
            selection_.toggleRange(std::min(i, p), std::max(i, p));
            selection_.select(i);
        } else {
            selection_.toggleRange(std::min(i, p), std::max(i, p));
            const int next = i > p ? p + 1 : p - 1;
            if (i != p && selection_.has(next)) {
                selection_.select(p);
            }
        }
        break;
    case SelectionMode::selectAndMove:
        move.selectionChanged = !had;
        selection_.select(i);
        break;
    }
    move.focusChanged = i != focus_;
    focus_ = i;
    return move;
}

bool ItemStateManager::selectAll(int count) {
    if (count <= 0) {
        return false;
    }
    const bool changed = selection_.size() != static_cast<std::size_t>(count) || !selection_.has(0);
    selection_.clear();
    selection_.selectRange(0, count - 1);
    return changed;
}

int ItemStateManager::getTextOffset(int item) const {
    const auto found = textOffsets_.find(item);
    return found == textOffsets_.end() ? 0 : found->second;
}

void ItemStateManager::setTextOffset(int item, int offset) {
    if (offset <= 0) {
        textOffsets_.erase(item);
    } else {
        textOffsets_[item] = offset;
    }
}

void ItemStateManager::clampTextOffsets(const std::function<int(int, int)>& clampOffset) {
    for (auto entry = textOffsets_.begin(); entry != textOffsets_.end();) {
        entry->second = std::max(clampOffset(entry->first, entry->second), 0);
        if (entry->second == 0) {
            entry = textOffsets_.erase(entry);
        } else {
            ++entry;
        }
    }
}

}  // namespace app::mainframe::noteslist::statemanager
