#include "NotesListPaint.hpp"

#include "Ratios.hpp"
#include "Runner.hpp"

#include "app/mainframe/NotesList.hpp"
#include "app/mainframe/noteslist/NoteRenderer.hpp"
#include "app/model/Note.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/TextFilter.hpp"
#include "gdi/Font.hpp"
#include "gdi/MemoryCanvas.hpp"
#include "gdi/Rect.hpp"
#include "ui/TopWindow.hpp"

#include <windows.h>

#include <memory>
#include <stdexcept>

namespace bench {

namespace {

using app::mainframe::NotesList;
using app::mainframe::noteslist::statemanager::SelectionMode;

constexpr int width = 1920;
constexpr int height = 1080;
constexpr int scrollStep = 40;  // one wheel line
// Searched in every field while the list paints: a common word, so that nearly every note
// shown has boxes around its matches in the title, the text or both.
constexpr const wchar_t* searched = L"the";

class Host : public ui::TopWindow {
public:
    Host() : ui::TopWindow(nullptr) {}
    std::wstring getClassName() const override { return L"Oskel.BenchHost"; }
    unsigned getStyle() const override { return WS_POPUP | WS_CLIPCHILDREN; }
};

// What any list must at least do for the same screen: the strings each note shows, in the
// fonts the list shows them in (the title, its date and time, its tags, and its wrapped
// text), from the first shown note down to the bottom of the client.
void drawWithDrawText(HDC dc, app::model::INotebookView& view, int first,
                      const app::mainframe::noteslist::NoteRenderer& renderer) {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const HGDIOBJ was = GetCurrentObject(dc, OBJ_FONT);
    const auto draw = [dc](const std::wstring& text, RECT rect, const std::shared_ptr<gdi::Font>& font, UINT format) {
        SelectObject(dc, font->getHandle());
        return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
    };
    int y = 0;
    for (int i = first; i < view.count() && y < height; ++i) {
        const app::model::Note& note = view.note(i);
        draw(note.searchTime(), RECT{4, y, width - 4, height}, gdi::getDefaultFont(), DT_SINGLELINE | DT_RIGHT);
        y += draw(note.title(), RECT{4, y, width - 200, height}, renderer.getHeaderFont(),
                  DT_SINGLELINE | DT_END_ELLIPSIS);
        if (!note.tagString().empty()) {
            y += draw(note.tagString(), RECT{8, y, width - 8, height}, gdi::getDefaultFont(),
                      DT_SINGLELINE | DT_END_ELLIPSIS);
        }
        y +=
            draw(note.text(), RECT{8, y, width - 8, height}, renderer.getTextFont(), DT_WORDBREAK | DT_EDITCONTROL) + 8;
    }
    SelectObject(dc, was);
}

// The view filtered for the figure's whole run, unfiltered again however it ends.
class FilterFor {
public:
    FilterFor(app::model::INotebookView& view, const std::wstring& query) : view_(view) {
        view_.setFilter(std::make_unique<app::model::TextFilter>(app::model::TextFilter::All, query));
    }
    ~FilterFor() { view_.setFilter(nullptr); }
    FilterFor(const FilterFor&) = delete;
    FilterFor& operator=(const FilterFor&) = delete;

private:
    app::model::INotebookView& view_;
};

}  // namespace

void notesListPaint(std::ostream& out, app::model::Notebook& notebook) {
    app::model::INotebookView& view = notebook.view();
    const FilterFor filtered(view, searched);
    if (view.count() < 2) {
        throw std::runtime_error("the filter leaves too few notes to paint");
    }
    const int middle = view.count() / 2;
    Host host;
    host.create();
    SetWindowPos(host.getHandle(), nullptr, 0, 0, width + 40, height + 40, SWP_NOZORDER | SWP_NOACTIVATE);
    HDC screen = GetDC(nullptr);
    gdi::MemoryCanvas canvas(screen, width, height);
    gdi::MemoryCanvas copy(screen, width, height);
    ReleaseDC(nullptr, screen);
    const gdi::Rect client(0, 0, width, height);

    std::unique_ptr<NotesList> list;
    const auto freshList = [&] {
        list.reset();
        list = std::make_unique<NotesList>(&host, view);
        list->create();
        list->setBounds(0, 0, width, height, false);
        list->scroller().setSmoothScrolling(false);
        list->setFocusIndex(middle, SelectionMode::single);
    };
    freshList();
    int first = list->scroller().geometry().getPosition().item;

    // The first paint of the process also pays for the first drawing on new bitmaps (the
    // system finds and clears their memory then), as the program's first paint at start-up
    // does, and so does the baseline's first drawing on its canvas: both are timed on their
    // own. The pairs then time fresh lists, whose caches are as empty as after every change
    // of the view, in a process that has painted before.
    double start = now();
    drawWithDrawText(canvas.getHandle(), view, first, list->renderer());
    const double firstBaseline = secondsSince(start);
    start = now();
    list->paint(canvas, client);
    const double firstPaint = secondsSince(start);
    printMilliseconds(out, "noteslist_first_paint_in_process", firstPaint);
    printMilliseconds(out, "noteslist_first_drawtext_in_process", firstBaseline);
    freshList();

    runPairs(
        out, "noteslist_cold_paint", 5, [&] { drawWithDrawText(canvas.getHandle(), view, first, list->renderer()); },
        [&] { list->paint(canvas, client); }, [&] { freshList(); });
    ratios::print(out, "noteslist_cold_paint", ratios::mean("noteslist_cold_paint.measured"),
                  ratios::mean("noteslist_cold_paint.baseline"), 2);
    printMilliseconds(out, "noteslist_cold_paint", ratios::mean("noteslist_cold_paint.measured").value_or(0));

    list->paint(canvas, client);
    int focus = middle;
    runPairs(
        out, "noteslist_focus_repaint", 10,
        [&] { drawWithDrawText(canvas.getHandle(), view, first, list->renderer()); },
        [&] {
            list->setFocusIndex(++focus, SelectionMode::single);
            list->paint(canvas, client);
        },
        [] {});
    printMilliseconds(out, "noteslist_focus_repaint", ratios::mean("noteslist_focus_repaint.measured").value_or(0));

    // A scroll step moves the shown pixels and paints only the band it uncovers.
    const gdi::Rect band(0, height - scrollStep, width, height);
    runPairs(
        out, "noteslist_scroll_step", 20,
        [&] { BitBlt(copy.getHandle(), 0, 0, width, height, canvas.getHandle(), 0, 0, SRCCOPY); },
        [&] {
            list->scroller().scrollBy(scrollStep, true);
            BitBlt(canvas.getHandle(), 0, 0, width, height - scrollStep, canvas.getHandle(), 0, scrollStep, SRCCOPY);
            list->paint(canvas, band);
        },
        [] {});
    ratios::print(out, "noteslist_scroll_step", ratios::mean("noteslist_scroll_step.measured"),
                  ratios::mean("noteslist_scroll_step.baseline"), 3);
    list.reset();
    host.destroy();
    if (first < 0) {
        throw std::runtime_error("the list has no position");
    }
}

}  // namespace bench
