#include "app/mainframe/NotesList.hpp"

#include "app/model/INotebookView.hpp"
#include "err/Exceptions.hpp"
#include "gdi/BackBuffer.hpp"
#include "gdi/Canvas.hpp"
#include "gdi/GivenCanvas.hpp"
#include "gdi/PaintCanvas.hpp"
#include "gdi/RectWin32.hpp"

#include <algorithm>
#include <vector>

namespace app::mainframe {

using noteslist::ItemState;
using noteslist::statemanager::SelectionMode;

namespace {

constexpr int padding = 2;

bool held(int key) {
    return GetKeyState(key) < 0;
}

// One back buffer for every list: lists paint one at a time on the thread of their
// windows, and a new list paints into memory that has been drawn on before, which is
// much quicker than a new bitmap's first drawing.
gdi::BackBuffer& backBuffer() {
    static gdi::BackBuffer buffer;
    return buffer;
}

// Fills what lies outside the items: the items painted from `top` down, each `width` wide
// from `left` and one pixel lower than its height, cover the rest themselves.
void fillAroundItems(gdi::Canvas& canvas, const gdi::Rect& update, int left, int width, int top,
                     const std::vector<int>& heights) {
    const auto fill = [&](int l, int t, int r, int b) {
        const int partLeft = std::max(l, update.left);
        const int partTop = std::max(t, update.top);
        const int partRight = std::min(r, update.right);
        const int partBottom = std::min(b, update.bottom);
        if (partLeft < partRight && partTop < partBottom) {
            canvas.fillRect(gdi::Rect(partLeft, partTop, partRight, partBottom));
        }
    };
    const int right = left + std::max(width, 0);
    fill(update.left, update.top, left, update.bottom);
    fill(right, update.top, update.right, update.bottom);
    fill(left, update.top, right, top);
    int y = top;
    for (int h : heights) {
        y += h;
        fill(left, y - 1, right, y);
    }
    fill(left, y, right, update.bottom);
}

}  // namespace

NotesList::NotesList(ui::Window* parent, model::INotebookView& view)
    : Control(parent),
      view_(view),
      renderer_(view),
      scroller_(
          *this, [this](int i) { return renderer_.getItemHeight(i); }, [this] { return view_.count(); }),
      scrollInput_(scroller_) {
    setPaddings(padding, padding, padding, padding);
    changed_ = view_.changed.connect([this] { viewChanged(); });
    reset_ = view_.reset.connect([this] { viewChanged(); });
    added_ = view_.noteAdded.connect([this](int) { noteAdded(); });
}

NotesList::~NotesList() {
    scroller_.stopAnimation();
}

std::wstring NotesList::getClassName() const {
    return L"Oskel.NotesList";
}

unsigned NotesList::getStyle() const {
    return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_TABSTOP;
}

void NotesList::afterCreate() {
    scroller_.install(this);
    scrollInput_.install(this);
    Control::afterCreate();
    afterLayoutChange();
}

bool NotesList::handleMessage(const MSG& msg, LRESULT& result) {
    if (msg.message == WM_PRINTCLIENT) {
        gdi::GivenCanvas canvas(msg.hwnd, reinterpret_cast<HDC>(msg.wParam));
        RECT client;
        GetClientRect(getHandle(), &client);
        paint(canvas, gdi::toRect(client));
        return true;
    }
    return Control::handleMessage(msg, result);
}

bool NotesList::onEraseBackground(HDC) {
    return true;
}

bool NotesList::onPaint() {
    gdi::PaintCanvas canvas(getHandle());
    paint(canvas, canvas.getUpdateRect());
    return true;
}

// Drawn off screen at client coordinates (the back buffer's origin moved to the update
// rectangle), then copied in one step. Without room for a back buffer the list is drawn
// straight onto the canvas rather than not at all.
void NotesList::paint(gdi::Canvas& target, const gdi::Rect& update) {
    const int width = update.right - update.left;
    const int height = update.bottom - update.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    gdi::Canvas* canvas = &target;
    try {
        canvas = &backBuffer().prepare(target.getHandle(), width, height);
    } catch (const err::SystemException&) {
        canvas = &target;
    }
    const bool buffered = canvas != &target;
    if (buffered) {
        SetViewportOrgEx(canvas->getHandle(), -update.left, -update.top, nullptr);
    }
    canvas->setBackgroundColor(renderer_.getPalette().background);

    RECT client;
    GetClientRect(getHandle(), &client);
    const int count = view_.count();
    if (count == 0) {
        canvas->fillRect(update);
        renderer_.paintEmpty(*canvas, gdi::toRect(client), view_.hasFilter());
    } else {
        // The items cover most of the area: only the rest is filled first.
        const int top = getPaddingTop();
        const auto hit = scroller_.geometry().itemAt(std::max(update.top - top, 0));
        const int first = hit.index;
        const int firstTop = hit.top + top;
        heights_.clear();
        for (int item = first, y = firstTop; item >= 0 && item < count && y < update.bottom; ++item) {
            heights_.push_back(renderer_.getItemHeight(item));
            y += heights_.back();
        }
        fillAroundItems(*canvas, update, getPaddingLeft(), renderer_.getWidth(), firstTop, heights_);

        const bool focused = hasFocus();
        int y = firstTop;
        for (std::size_t i = 0; i < heights_.size(); ++i) {
            const int item = first + static_cast<int>(i);
            ItemState state;
            state.focus = item == state_.getFocus();
            state.selected = state_.getSelection().has(item);
            state.textOffset = state_.getTextOffset(item);
            renderer_.paintItem(*canvas, item, getPaddingLeft(), y, state, focused);
            y += heights_[i];
        }
    }
    if (buffered) {
        canvas->copyTo(update, target, update.left, update.top);
        SetViewportOrgEx(canvas->getHandle(), 0, 0, nullptr);
    }
}

bool NotesList::onSize(int, int) {
    afterLayoutChange();
    return false;
}

// The item width and viewport follow the client area; text offsets are clamped to what
// the items can scroll at the new width.
void NotesList::afterLayoutChange() {
    if (!getHandle()) {
        return;
    }
    RECT client;
    GetClientRect(getHandle(), &client);
    renderer_.setWidth(std::max(0, static_cast<int>(client.right) - getPaddingLeft() - getPaddingRight()));
    renderer_.setBitmapBudget(3 * static_cast<std::size_t>(client.right) * static_cast<std::size_t>(client.bottom));
    scroller_.geometry().setMinimumItemHeight(renderer_.getMinimumItemHeight());
    scroller_.geometry().setHeight(std::max(0, static_cast<int>(client.bottom) - getPaddingTop() - getPaddingBottom()));
    state_.clampTextOffsets([this](int item, int offset) {
        return item < view_.count() ? renderer_.getBodyLines(item, offset).offset : 0;
    });
    // The bitmaps show the offsets as they were.
    renderer_.clear();
    scroller_.update();
    repaint();
}

bool NotesList::onGetDlgCode(MSG*, LRESULT& result) {
    result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return true;
}

void NotesList::setModeFromKeys() {
    if (held(VK_SHIFT)) {
        state_.setMode(SelectionMode::extend);
    } else if (held(VK_CONTROL)) {
        state_.setMode(SelectionMode::moveOnly);
    } else {
        state_.setMode(SelectionMode::single);
    }
}

// Every move brings the focus into view, also when it stays where it was (Home on the
// first item scrolled away).
void NotesList::moveFocus(int i) {
    const int count = view_.count();
    if (count <= 0) {
        return;
    }
    const auto move = state_.moveFocus(i, count);
    scroller_.ensureVisible(state_.getFocus(), move.previous);
    repaint();
}

bool NotesList::onKeyDown(int key, int, bool, bool) {
    setModeFromKeys();
    const int count = view_.count();
    const int focus = state_.getFocus();
    const bool ctrl = held(VK_CONTROL);
    const bool shift = held(VK_SHIFT);
    switch (key) {
    case VK_UP:
        moveFocus(focus - 1);
        return true;
    case VK_DOWN:
        moveFocus(focus + 1);
        return true;
    case VK_HOME:
        moveFocus(0);
        return true;
    case VK_END:
        moveFocus(count - 1);
        return true;
    case VK_PRIOR:
        moveFocus(scroller_.geometry().pageUp(focus));
        return true;
    case VK_NEXT:
        moveFocus(scroller_.geometry().pageDown(focus));
        return true;
    case VK_RIGHT:
        if (count > 0) {
            const noteslist::BodyLines lines = renderer_.getBodyLines(focus, state_.getTextOffset(focus));
            if (lines.below) {
                state_.setTextOffset(focus, lines.offset + 1);
                renderer_.forgetBitmap(focus);
                repaint();
            }
        }
        return true;
    case VK_LEFT:
        if (count > 0) {
            const noteslist::BodyLines lines = renderer_.getBodyLines(focus, state_.getTextOffset(focus));
            if (lines.offset >= 1) {
                state_.setTextOffset(focus, lines.offset - 1);
                renderer_.forgetBitmap(focus);
                repaint();
            }
        }
        return true;
    case VK_SPACE:
        if (ctrl) {
            if (count > 0) {
                state_.getSelection().toggle(focus);
                repaint();
            }
        } else {
            moveFocus(focus + 1);
        }
        return true;
    case VK_RETURN:
    case VK_F2:
        editRequested();
        return true;
    case VK_INSERT:
        if (shift) {
            pasteRequested();
        }
        return shift;
    case VK_DELETE:
        if (!state_.getSelection().empty()) {
            deleteRequested();
        }
        return true;
    default:
        break;
    }
    if (ctrl && key == 'V') {
        pasteRequested();
        return true;
    }
    if (ctrl && key == 'A') {
        selectAll();
        return true;
    }
    if (ctrl && key == 'C') {
        if (!state_.getSelection().empty()) {
            copyRequested();
        }
        return true;
    }
    return false;
}

bool NotesList::onChar(int character) {
    charTyped(character);
    return true;
}

bool NotesList::onSetFocus() {
    repaint();
    return Control::onSetFocus();
}

bool NotesList::onKillFocus() {
    repaint();
    return Control::onKillFocus();
}

bool NotesList::onLButtonDown(int, int y, unsigned) {
    if (!hasFocus()) {
        focus();
    }
    const auto hit = scroller_.geometry().itemAt(y - getPaddingTop());
    if (hit.index < 0) {
        return true;
    }
    setModeFromKeys();
    moveFocus(hit.index);
    if (held(VK_CONTROL) && !held(VK_SHIFT)) {
        state_.getSelection().toggle(hit.index);
        repaint();
    }
    return true;
}

bool NotesList::onLButtonUp(int, int, unsigned) {
    if (held(VK_MENU)) {
        linkRequested();
    }
    return false;
}

bool NotesList::onLButtonDblClk(int, int y, unsigned) {
    if (scroller_.geometry().itemAt(y - getPaddingTop()).index >= 0) {
        editRequested();
    }
    return true;
}

bool NotesList::onContextMenu(HWND, int x, int y) {
    focus();
    RECT client;
    GetClientRect(getHandle(), &client);
    int item = -1;
    POINT at{client.right / 2, getPaddingTop()};
    if (x == -1 && y == -1) {
        item = view_.count() > 0 ? state_.getFocus() : -1;
    } else {
        at = POINT{x, y};
        ScreenToClient(getHandle(), &at);
        item = scroller_.geometry().itemAt(at.y - getPaddingTop()).index;
    }
    int menuY = getPaddingTop() + 25;
    if (item >= 0) {
        state_.setMode(state_.getSelection().has(item) ? SelectionMode::moveOnly : SelectionMode::single);
        moveFocus(item);
        if (const auto top = scroller_.geometry().topOf(item)) {
            const int itemTop = *top + getPaddingTop();
            const int itemBottom = itemTop + renderer_.getItemHeight(item);
            const int wanted = x == -1 && y == -1 ? itemTop + renderer_.getItemHeight(item) / 2 : at.y;
            menuY = std::max(itemTop + 25, std::min(wanted, itemBottom - 25));
        }
    }
    POINT screen{x == -1 && y == -1 ? client.right / 2 : at.x, menuY};
    ClientToScreen(getHandle(), &screen);
    contextMenuRequested(screen.x, screen.y);
    return true;
}

void NotesList::selectAll() {
    if (state_.selectAll(view_.count())) {
        repaint();
    }
}

void NotesList::setFocusIndex(int i, SelectionMode mode) {
    state_.setMode(mode);
    moveFocus(i);
}

void NotesList::setSelection(const std::set<int>& items) {
    state_.getSelection().clear();
    for (int item : items) {
        if (item >= 0 && item < view_.count()) {
            state_.getSelection().select(item);
        }
    }
    repaint();
}

void NotesList::setBaseColor(app::ColorRef base) {
    renderer_.setBaseColor(base);
    repaint();
}

void NotesList::setHeaderFont(std::shared_ptr<gdi::Font> font) {
    renderer_.setHeaderFont(std::move(font));
    afterLayoutChange();
}

void NotesList::setTextFont(std::shared_ptr<gdi::Font> font) {
    renderer_.setTextFont(std::move(font));
    afterLayoutChange();
}

void NotesList::setMaxDisplayedLines(int lines) {
    renderer_.setMaxDisplayedLines(lines);
    afterLayoutChange();
}

void NotesList::invalidateItem(int item) {
    renderer_.forget(item);
    scroller_.update();
    repaint();
}

// The view was rebuilt: indices mean other notes now.
void NotesList::viewChanged() {
    scroller_.stopAnimation();
    renderer_.clear();
    state_.resetTextOffsets();
    const int count = view_.count();
    if (count > 0) {
        state_.setMode(SelectionMode::single);
        state_.moveFocus(std::min(state_.getFocus(), count - 1), count);
    } else {
        // Nothing to point at: the list starts over as a new one, so that the notes that
        // come back are taken up from the top, where it shows them, and not at an index
        // left from before, out of sight.
        state_ = noteslist::statemanager::ItemStateManager();
    }
    scroller_.update();
    repaint();
    if (count == 0 && hasFocus()) {
        ui::focusNextTabStop(getHandle(), false);
    }
}

void NotesList::noteAdded() {
    setFocusIndex(view_.count() - 1, SelectionMode::single);
}

void NotesList::repaint() {
    if (getHandle()) {
        InvalidateRect(getHandle(), nullptr, FALSE);
    }
}

}  // namespace app::mainframe
