#include "app/mainframe/noteslist/NoteRenderer.hpp"

#include "app/mainframe/noteslist/noterenderer/GdiTextMeasure.hpp"
#include "app/mainframe/noteslist/noterenderer/HiliteManager.hpp"
#include "app/model/INotebookView.hpp"
#include "app/model/Note.hpp"
#include "app/model/TextFilter.hpp"
#include "err/Exceptions.hpp"
#include "gdi/Bitmap.hpp"
#include "gdi/Canvas.hpp"
#include "gdi/CanvasPool.hpp"
#include "gdi/Color.hpp"
#include "gdi/Font.hpp"
#include "gdi/MeasuringCanvas.hpp"
#include "gdi/MemoryCanvas.hpp"
#include "res/StringsBundle.hpp"

#include <windows.h>

#include <algorithm>

namespace app::mainframe::noteslist {

namespace {

constexpr unsigned titleFormat = DT_SINGLELINE | DT_END_ELLIPSIS | DT_EXPANDTABS | DT_NOPREFIX;
constexpr unsigned dateFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
constexpr unsigned tagsFormat = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
constexpr unsigned lineFormat = DT_SINGLELINE | DT_NOPREFIX;

// A rectangle whose far sides never pass its near ones: a list narrower than an item's
// margins gets empty parts, which are then skipped, instead of inverted ones.
gdi::Rect clamped(int left, int top, int right, int bottom) {
    return gdi::Rect(left, top, std::max(left, right), std::max(top, bottom));
}

bool isEmptyArea(const gdi::Rect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// The width of a piece of a single line as DrawTextW lays it out with these flags.
noterenderer::HiliteManager::Measure measureWith(gdi::Canvas& canvas, unsigned format) {
    return [&canvas, format](const wchar_t* text, int length) {
        if (length <= 0) {
            return 0;
        }
        return canvas.measureText(std::wstring(text, static_cast<std::size_t>(length)), format).getWidth();
    };
}

// Item bitmaps and selection tints of every list, kept for the next list or the next
// paint after a cache was cleared: enough for the items of one large client area.
gdi::CanvasPool& canvasPool() {
    static gdi::CanvasPool pool(2 * 1920 * 1080);
    return pool;
}

std::size_t pixelsOf(const gdi::MemoryCanvas& canvas) {
    return static_cast<std::size_t>(canvas.getBitmap()->getWidth())
           * static_cast<std::size_t>(canvas.getBitmap()->getHeight());
}

}  // namespace

NoteRenderer::NoteRenderer(model::INotebookView& view)
    : NoteRenderer(view, std::make_shared<gdi::Font>(L"Tahoma", 8, 400, false)) {}

NoteRenderer::NoteRenderer(model::INotebookView& view, std::shared_ptr<gdi::Font> textFont)
    : NoteLayout(view, std::make_shared<noterenderer::GdiTextMeasure>(textFont)),
      palette_(Palette::of(0)),
      textFont_(std::move(textFont)),
      menuFont_(gdi::getDefaultFont()),
      linkIcon_(129, 16, 16),
      indicators_{gdi::Icon(136, 0, 0), gdi::Icon(137, 0, 0), gdi::Icon(138, 0, 0)},
      bitmaps_(defaultBitmapBudget) {
    setHeaderFont(std::make_shared<gdi::Font>(L"Arial", 8, 700, false));
    gdi::Canvas& measuring = gdi::measuringCanvas();
    measuring.selectFont(menuFont_);
    setTagsBandHeight(measuring.getTextHeight() + 6);
}

NoteRenderer::~NoteRenderer() = default;

void NoteRenderer::setBaseColor(app::ColorRef base) {
    palette_ = Palette::of(base);
    blendedLink_.reset();
    tint_.reset();
    clear();
}

void NoteRenderer::setHeaderFont(std::shared_ptr<gdi::Font> font) {
    headerFont_ = std::move(font);
    gdi::Canvas& measuring = gdi::measuringCanvas();
    measuring.selectFont(headerFont_);
    setHeaderTextHeight(measuring.measureText(L"...", 0).getHeight());
    clear();
}

void NoteRenderer::setTextFont(std::shared_ptr<gdi::Font> font) {
    textFont_ = font;
    setTextMeasure(std::make_shared<noterenderer::GdiTextMeasure>(std::move(font)));
}

const model::TextFilter* NoteRenderer::textFilter() {
    return dynamic_cast<const model::TextFilter*>(view().filter());
}

int NoteRenderer::indicatorIcon(int item, int textOffset) {
    const BodyLines lines = getBodyLines(item, textOffset);
    if (!lines.hidden) {
        return 0;
    }
    if (lines.offset == 0) {
        return 136;
    }
    return lines.below ? 138 : 137;
}

// The look without selection and focus comes from the bitmap of the item when there is
// one, and is painted into a new one otherwise; when no bitmap can be had it is painted
// straight onto the canvas. Selection, focus and the indicator go over it, so selecting
// never lays text out again.
void NoteRenderer::paintItem(gdi::Canvas& canvas, int item, int x, int y, const ItemState& state, bool listFocused) {
    const int h = getItemHeight(item);
    const gdi::Rect rect = clamped(x, y, x + getWidth(), y + h - 1);
    if (isEmptyArea(rect)) {
        return;
    }
    const int w = rect.right - rect.left;
    const int bh = rect.bottom - rect.top;
    std::shared_ptr<gdi::MemoryCanvas> look;
    if (std::shared_ptr<gdi::MemoryCanvas>* cached = bitmaps_.find(item)) {
        look = *cached;
    } else if (static_cast<std::size_t>(w) * bh <= bitmaps_.budget()) {
        try {
            look = canvasPool().take(canvas.getHandle(), w, bh);
            paintLook(*look, item, 0, 0, state.textOffset);
            bitmaps_.insert(item, look, pixelsOf(*look));
        } catch (const err::SystemException&) {
            look.reset();
        }
    }
    if (look) {
        look->copyTo(gdi::Rect(0, 0, w, bh), canvas, rect.left, rect.top);
    } else {
        paintLook(canvas, item, rect.left, rect.top, state.textOffset);
    }

    const gdi::Rect inside = clamped(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
    if (state.selected) {
        paintSelection(canvas, rect, listFocused);
    }
    if (state.focus && listFocused) {
        canvas.setForegroundColor(palette_.focusInner);
        if (!isEmptyArea(inside)) {
            canvas.drawFocusRect(inside);
        }
        canvas.setForegroundColor(palette_.focusOuter);
        canvas.drawFocusRect(rect);
    }
    const int icon = indicatorIcon(item, state.textOffset);
    if (icon != 0) {
        canvas.drawImage(indicators_[icon - 136], rect.right - 24, rect.bottom - 20, true);
    }
}

void NoteRenderer::paintLook(gdi::Canvas& canvas, int item, int x, int y, int textOffset) {
    const model::Note& note = view().note(item);
    const gdi::Rect rect = clamped(x, y, x + getWidth(), y + getItemHeight(item) - 1);
    const model::TextFilter* filter = textFilter();
    SetBkMode(canvas.getHandle(), TRANSPARENT);
    canvas.setForegroundColor(palette_.frame);
    canvas.drawRect(rect);
    const gdi::Rect inside = clamped(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
    canvas.setBackgroundColor(gdi::white);
    if (!isEmptyArea(inside)) {
        canvas.fillRect(inside);
    }
    const int headerBottom = std::min(inside.top + getHeaderBandHeight(), inside.bottom);
    const gdi::Rect header = clamped(inside.left, inside.top, inside.right, headerBottom);
    const int tagsBottom = std::min(headerBottom + getTagsHeight(item), inside.bottom);
    const gdi::Rect tags = clamped(inside.left, headerBottom, inside.right, tagsBottom);
    const gdi::Rect body = clamped(inside.left, tagsBottom, inside.right, inside.bottom);
    paintHeader(canvas, note, header, filter);
    paintTags(canvas, note, tags, filter);
    paintBody(canvas, item, body, textOffset, filter);
}

void NoteRenderer::clear() {
    NoteLayout::clear();
    bitmaps_.clear();
}

void NoteRenderer::forget(int item) {
    NoteLayout::forget(item);
    bitmaps_.erase(item);
}

void NoteRenderer::forgetBitmap(int item) {
    bitmaps_.erase(item);
}

void NoteRenderer::setBitmapBudget(std::size_t pixels) {
    bitmaps_.setBudget(pixels);
}

void NoteRenderer::paintHeader(gdi::Canvas& canvas, const model::Note& note, const gdi::Rect& band,
                               const model::TextFilter* filter) {
    if (isEmptyArea(band)) {
        return;
    }
    canvas.setBackgroundColor(palette_.headerBand);
    canvas.fillRect(band);
    const gdi::Rect content = clamped(band.left + 7, band.top + 5, band.right - 7, band.bottom - 5);
    if (isEmptyArea(content)) {
        return;
    }
    const std::wstring& when = note.searchTime();
    canvas.selectFont(menuFont_);
    const int dateWidth = canvas.measureText(when, dateFormat).getWidth();
    const gdi::Rect date =
        clamped(std::max(content.left, content.right - dateWidth - 2), content.top, content.right - 2, content.bottom);
    int titleLeft = content.left;
    if (!note.link().empty()) {
        paintLinkIcon(canvas, content.left - 4, content.top - 1);
        titleLeft += 16;
    }
    const gdi::Rect title = clamped(titleLeft, content.top, date.left - 10, content.bottom);
    const bool hiliting = filter != nullptr && filter->query().size() >= 2;
    if (!isEmptyArea(title)) {
        canvas.selectFont(headerFont_);
        if (hiliting && (filter->fields() & model::TextFilter::Title)) {
            paintLineHilites(canvas, note.title(), note.searchTitle(), filter->query(), title, titleFormat);
        }
        canvas.setForegroundColor(palette_.title);
        canvas.drawText(title, note.title(), titleFormat);
    }
    if (!isEmptyArea(date)) {
        canvas.selectFont(menuFont_);
        if (hiliting && (filter->fields() & model::TextFilter::Time)) {
            paintLineHilites(canvas, when, note.searchTime(), filter->query(), date, dateFormat);
        }
        canvas.setForegroundColor(palette_.dateTime);
        canvas.drawText(date, when, dateFormat);
    }
}

void NoteRenderer::paintTags(gdi::Canvas& canvas, const model::Note& note, const gdi::Rect& band,
                             const model::TextFilter* filter) {
    if (isEmptyArea(band)) {
        return;
    }
    canvas.setBackgroundColor(gdi::white);
    canvas.fillRect(band);
    const gdi::Rect content = clamped(band.left + 15, band.top + 4, band.right - 15, band.bottom - 2);
    if (isEmptyArea(content)) {
        return;
    }
    canvas.selectFont(menuFont_);
    const std::wstring& tags = note.tagString();
    if (filter != nullptr && (filter->fields() & model::TextFilter::Tags) && !tags.empty()) {
        // Each word of the search on its own, wherever it occurs in the tags.
        for (const std::wstring& word : model::Note::parseTags(filter->query())) {
            if (!word.empty() && word.size() <= tags.size()) {
                paintLineHilites(canvas, tags, note.searchTags(), word, content, tagsFormat);
            }
        }
    }
    canvas.setForegroundColor(palette_.dateTime);
    canvas.drawText(content, tags, tagsFormat);
}

void NoteRenderer::paintBody(gdi::Canvas& canvas, int item, const gdi::Rect& body, int textOffset,
                             const model::TextFilter* filter) {
    if (getMaxDisplayedLines() <= 0 || isEmptyArea(body)) {
        return;
    }
    const gdi::Rect content = clamped(body.left + 11, body.top + 3, body.right - 20, body.bottom - 10);
    if (isEmptyArea(content)) {
        return;
    }
    const BodyLines lines = getBodyLines(item, textOffset);
    const auto breaker = formatter().getLineBreaker(item);
    const int lineHeight = getLineHeight();
    canvas.selectFont(textFont_);
    const model::Note& note = view().note(item);
    if (filter != nullptr && (filter->fields() & model::TextFilter::Text) && filter->query().size() >= 2
        && note.searchText().size() >= filter->query().size()
        && note.searchText().size() == breaker->getSource().size()) {
        noterenderer::HiliteManager hilites(measureWith(canvas, lineFormat));
        const auto& ranges =
            hilites.calcPxHiliteRanges(note.searchText(), filter->query(), *breaker, lines.first, lines.last);
        for (int line = lines.first; line < static_cast<int>(ranges.size()); ++line) {
            const int y = content.top + (line - lines.first) * lineHeight;
            for (const auto& px : ranges[static_cast<std::size_t>(line)]) {
                paintBox(canvas, content.left + px.first - 1, y, content.left + px.second, y + lineHeight + 1);
            }
        }
    }
    canvas.setForegroundColor(0);
    // Lines are broken to a width that reaches 2 pixels past the content's right edge, into
    // the margin: a line that fills it is drawn to its end, not clipped there.
    const int lineRight = std::max(content.right, std::min(body.right, content.left + formatter().getWidth()));
    for (int line = lines.first; line < lines.last; ++line) {
        const int y = content.top + (line - lines.first) * lineHeight;
        const gdi::Rect at = clamped(content.left, y, lineRight, y + lineHeight);
        canvas.drawText(at, breaker->getLine(line), lineFormat);
    }
}

// Boxes never start inside the room kept for an ellipsis and never pass the rectangle.
void NoteRenderer::paintLineHilites(gdi::Canvas& canvas, const std::wstring& source, const std::wstring& searchable,
                                    const std::wstring& hilite, const gdi::Rect& rect, unsigned format) {
    if (source.empty() || searchable.size() != source.size() || hilite.size() > searchable.size()) {
        return;
    }
    noterenderer::HiliteManager hilites(measureWith(canvas, format & ~static_cast<unsigned>(DT_END_ELLIPSIS)));
    const int ellipsis = canvas.measureText(L"...", DT_SINGLELINE | DT_NOPREFIX).getWidth();
    for (const auto& px : hilites.calcLinePxHiliteRanges(source, searchable, hilite)) {
        paintBox(canvas, std::min(rect.left + px.first - 1, rect.right - ellipsis), rect.top,
                 std::min(rect.left + px.second, rect.right), rect.bottom);
    }
}

// Filled, then outlined, corners inclusive.
void NoteRenderer::paintBox(gdi::Canvas& canvas, int left, int top, int right, int bottom) {
    if (right < left || bottom < top) {
        return;
    }
    canvas.setBackgroundColor(palette_.hiliteFill);
    canvas.fillRect(left, top, right, bottom);
    canvas.setForegroundColor(palette_.hiliteOutline);
    canvas.drawRect(left, top, right, bottom);
}

void NoteRenderer::paintSelection(gdi::Canvas& canvas, const gdi::Rect& rect, bool listFocused) {
    const int w = rect.right - rect.left - 2;
    const int h = rect.bottom - rect.top - 2;
    if (w <= 0 || h <= 0) {
        return;
    }
    const int left = rect.left + 2;
    const int top = rect.top + 2;
    const int band = std::min(getHeaderBandHeight(), h);
    // On the list's back buffer the tint is mixed into the pixels directly; elsewhere from
    // a canvas filled with the base colour.
    if (canvas.blendColor(gdi::Rect(left, top, left + w, top + h), palette_.base, listFocused ? 0.03 : 0.02)) {
        canvas.blendColor(gdi::Rect(left, top, left + w, top + band), palette_.base, 0.16);
        return;
    }
    if (!tint_ || tintSize_.width < w || tintSize_.height < h) {
        tintSize_ = gdi::Size{std::max(w, tintSize_.width), std::max(h, tintSize_.height)};
        tint_ = canvasPool().take(canvas.getHandle(), tintSize_.width, tintSize_.height);
        tint_->setBackgroundColor(palette_.base);
        tint_->fillRect(gdi::Rect(0, 0, tintSize_.width, tintSize_.height));
    }
    tint_->blendTo(gdi::Rect(0, 0, w, h), canvas, left, top, listFocused ? 0.03 : 0.02);
    tint_->blendTo(gdi::Rect(0, 0, w, band), canvas, left, top, 0.16);
}

void NoteRenderer::paintLinkIcon(gdi::Canvas& canvas, int x, int y) {
    if (!blendedLink_) {
        gdi::MemoryCanvas icon(canvas.getHandle(), 16, 16);
        icon.setBackgroundColor(palette_.headerBand);
        icon.fillRect(gdi::Rect(0, 0, 16, 16));
        icon.drawImage(linkIcon_, 0, 0, true);
        blendedLink_ = std::make_unique<gdi::MemoryCanvas>(canvas.getHandle(), 16, 16);
        blendedLink_->setBackgroundColor(palette_.headerBand);
        blendedLink_->fillRect(gdi::Rect(0, 0, 16, 16));
        icon.blendTo(gdi::Rect(0, 0, 16, 16), *blendedLink_, 0, 0, 0.5);
    }
    blendedLink_->copyTo(gdi::Rect(0, 0, 16, 16), canvas, x, y);
}

void NoteRenderer::paintEmpty(gdi::Canvas& canvas, const gdi::Rect& client, bool filtered) {
    const gdi::Rect area = clamped(client.left + 20, client.top + 20, client.right - 20, client.bottom - 20);
    if (isEmptyArea(area)) {
        return;
    }
    SetBkMode(canvas.getHandle(), TRANSPARENT);
    canvas.selectFont(textFont_);
    canvas.setForegroundColor(palette_.emptyText);
    canvas.drawText(area, res::getText(filtered ? "noteslist.notfound" : "noteslist.notebookempty"),
                    DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace app::mainframe::noteslist
