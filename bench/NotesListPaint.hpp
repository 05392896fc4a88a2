#pragma once
#include <ostream>

namespace app::model {
class Notebook;
}

namespace bench {

// The notes list painting a 1920 x 1080 client at the middle of a large notebook filtered
// for a common word, so that the notes shown have their matches highlighted: the first paint
// of a fresh list against drawing the same notes' titles and texts with DrawTextW (each side's
// first drawing in the process timed on its own); a repaint after the
// focus moved; and a scroll step (the pixels moved, the uncovered band painted) against
// copying the whole client once.
void notesListPaint(std::ostream& out, app::model::Notebook& notebook);

}  // namespace bench
