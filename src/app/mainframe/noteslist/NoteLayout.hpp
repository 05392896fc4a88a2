#pragma once

#include "app/mainframe/noteslist/BoundedCache.hpp"
#include "app/mainframe/noteslist/noterenderer/NoteTextFormatter.hpp"

#include <memory>

namespace app::model {
class INotebookView;
}

namespace app::mainframe::noteslist {

// The body lines of one item that are shown for a text scroll offset, and whether there
// are hidden lines above or below them. Found by breaking the text no further than shown.
struct BodyLines {
    int first = 0;        // the first line shown
    int last = 0;         // one past the last line shown
    int offset = 0;       // the text scroll offset, clamped to the hidden lines
    bool hidden = false;  // the text has more lines than are shown
    bool below = false;   // some of them are below the last line shown
};

// The layout side of the note renderer: widths, fonts as measured sizes, the item height
// and the caches behind it. What depends on a drawing surface comes in measured: the body
// text through its TextMeasure, the header text height and the tags band height as
// numbers. Every change that can move a pixel clears every cache (clear()).
class NoteLayout {
public:
    static constexpr int defaultMaxDisplayedLines = 15;
    static constexpr int maximumDisplayedLines = 100;
    static constexpr std::size_t heightBudget = 640 * 1024;  // bytes of cached heights

    NoteLayout(model::INotebookView& view, std::shared_ptr<noterenderer::TextMeasure> textMeasure);
    virtual ~NoteLayout() = default;
    NoteLayout(const NoteLayout&) = delete;
    NoteLayout& operator=(const NoteLayout&) = delete;

    // The item width; the text is formatted 31 pixels narrower, never narrower than 10.
    void setWidth(int w);
    int getWidth() const { return width_; }

    void setHeaderTextHeight(int h);
    int getHeaderTextHeight() const { return headerTextHeight_; }
    // The height of the header band: the header text and 5 pixels above and below.
    int getHeaderBandHeight() const { return headerTextHeight_ + 10; }
    // The tags band of a note with tags: the menu font height and 6.
    void setTagsBandHeight(int h);
    int getTagsBandHeight() const { return tagsBandHeight_; }
    // Clamped to 0..100.
    void setMaxDisplayedLines(int lines);
    int getMaxDisplayedLines() const { return maxDisplayedLines_; }
    void setTextMeasure(std::shared_ptr<noterenderer::TextMeasure> measure);

    int getLineHeight() const { return formatter_.getLineHeight(); }
    noterenderer::NoteTextFormatter& formatter() { return formatter_; }

    int getItemHeight(int item);
    // No item is lower: the header band and the smallest body.
    int getMinimumItemHeight() const { return getHeaderBandHeight() + 4; }
    int getTagsHeight(int item);
    BodyLines getBodyLines(int item, int textOffset);

    // Drops every cached height and line break (and, in a derived renderer, its bitmaps).
    virtual void clear();
    // Drops what is cached for one item.
    virtual void forget(int item);

protected:
    model::INotebookView& view() { return view_; }

private:
    int computeItemHeight(int item);

    model::INotebookView& view_;
    noterenderer::NoteTextFormatter formatter_;
    int width_ = 10;
    int headerTextHeight_ = 0;
    int tagsBandHeight_ = 0;
    int maxDisplayedLines_ = defaultMaxDisplayedLines;
    BoundedCache<int, int> heights_;
};

}  // namespace app::mainframe::noteslist
