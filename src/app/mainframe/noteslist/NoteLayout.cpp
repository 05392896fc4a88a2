#include "app/mainframe/noteslist/NoteLayout.hpp"

#include "app/model/INotebookView.hpp"
#include "app/model/Note.hpp"

#include <algorithm>

namespace app::mainframe::noteslist {

namespace {

// What one cached height costs, with the map node and the eviction order around it.
constexpr std::size_t heightEntryBytes = 64;
// A text longer than this per displayable line is taken to fill every line unbroken.
constexpr std::size_t unitsPerLine = 400;

}  // namespace

NoteLayout::NoteLayout(model::INotebookView& view, std::shared_ptr<noterenderer::TextMeasure> textMeasure)
    : view_(view), formatter_(view, std::move(textMeasure)), heights_(heightBudget) {
    formatter_.setWidth(std::max(width_ - 31, 10));
}

void NoteLayout::setWidth(int w) {
    if (w == width_) {
        return;
    }
    width_ = w;
    formatter_.setWidth(std::max(w - 31, 10));
    clear();
}

void NoteLayout::setHeaderTextHeight(int h) {
    if (h == headerTextHeight_) {
        return;
    }
    headerTextHeight_ = h;
    clear();
}

void NoteLayout::setTagsBandHeight(int h) {
    if (h == tagsBandHeight_) {
        return;
    }
    tagsBandHeight_ = h;
    clear();
}

void NoteLayout::setMaxDisplayedLines(int lines) {
    maxDisplayedLines_ = std::clamp(lines, 0, maximumDisplayedLines);
    clear();
}

void NoteLayout::setTextMeasure(std::shared_ptr<noterenderer::TextMeasure> measure) {
    formatter_.setTextMeasure(std::move(measure));
    clear();
}

void NoteLayout::clear() {
    heights_.clear();
    formatter_.clear();
}

void NoteLayout::forget(int item) {
    heights_.erase(item);
    formatter_.forget(item);
}

int NoteLayout::getTagsHeight(int item) {
    return view_.note(item).tags().empty() ? 0 : tagsBandHeight_;
}

int NoteLayout::getItemHeight(int item) {
    if (const int* cached = heights_.find(item)) {
        return *cached;
    }
    const int height = computeItemHeight(item);
    heights_.insert(item, height, heightEntryBytes);
    return height;
}

// The header band, the body clamped between no line and every displayable line, and the
// tags band. The body needs the line count only up to where the clamp takes over, so a
// text is broken for at most a few lines more than can be shown.
int NoteLayout::computeItemHeight(int item) {
    const int lines = maxDisplayedLines_;
    const int h = formatter_.getLineHeight();
    const int base = getHeaderBandHeight() + (lines >= 1 ? 13 : 0);
    const int minimum = base + 4;
    const int maximum = lines * h + base + 4;
    const model::Note& note = view_.note(item);
    int body = maximum;
    if (note.text().size() <= static_cast<std::size_t>(lines) * unitsPerLine) {
        // With h >= 1, lines + 5 lines are past the maximum already.
        const int count = formatter_.getLineBreaker(item)->getLineCountUpTo(lines + 5);
        body = count * h + base;
    }
    body = std::clamp(body, minimum, std::max(minimum, maximum));
    return body + (note.tags().empty() ? 0 : tagsBandHeight_);
}

// first = max(0, min(count - L, offset)), last = min(count, first + L), with the count
// needed only up to one line past the last line the offset could show.
BodyLines NoteLayout::getBodyLines(int item, int textOffset) {
    BodyLines shown;
    const int lines = maxDisplayedLines_;
    if (lines <= 0) {
        return shown;
    }
    const int offset = std::max(textOffset, 0);
    const int count = formatter_.getLineBreaker(item)->getLineCountUpTo(offset + lines + 1);
    shown.first = std::max(0, std::min(count - lines, offset));
    shown.last = std::min(count, shown.first + lines);
    shown.offset = shown.first;
    shown.hidden = count > lines;
    shown.below = count > shown.last;
    return shown;
}

}  // namespace app::mainframe::noteslist
