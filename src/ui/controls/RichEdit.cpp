#include "ui/controls/RichEdit.hpp"

#include "gdi/Icon.hpp"
#include "ui/controls/RichEditLibrary.hpp"
#include "ui/controls/WindowText.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/Item.hpp"

#include <shellapi.h>

#include <algorithm>
#include <utility>

namespace ui::controls {

namespace {

// Child, clip siblings and children, vertical scroll bar, tab stop, want return, automatic
// vertical scrolling, multi-line.
constexpr unsigned richEditStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_TABSTOP
                                   | ES_WANTRETURN | ES_AUTOVSCROLL | ES_MULTILINE;
static_assert(richEditStyle == 0x46211044, "rich edit creation style");

bool isKeyDown(int key) {
    return GetKeyState(key) < 0;
}

// The clipboard's Unicode text; false when there is none or the clipboard is busy.
bool readClipboardText(HWND owner, std::wstring& text) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) {
        return false;
    }
    bool read = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            // The block comes from another program: read no further than its size, whether
            // or not the text is terminated.
            const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
            text.assign(chars, std::find(chars, chars + capacity, L'\0'));
            GlobalUnlock(data);
            read = true;
        }
    }
    CloseClipboard();
    return read;
}

}  // namespace

void openLinkWithShell(HWND window, const std::wstring& link) {
    ShellExecuteW(window, L"open", link.c_str(), nullptr, L".", SW_SHOWNORMAL);
}

RichEdit::RichEdit(Window* parent, unsigned extraStyle, unsigned exStyle)
    : FramedControl(parent), extraStyle_(extraStyle), exStyle_(exStyle), linkOpener_(openLinkWithShell) {
    loadRichEditLibrary();
}

// As with the edit, the window goes while the object is still whole.
RichEdit::~RichEdit() {
    if (isAttached()) {
        destroy();
    }
}

std::wstring RichEdit::getClassName() const {
    return L"Oskel.RichEdit";
}

std::wstring RichEdit::getSuperclassName() const {
    return L"RichEdit20W";
}

unsigned RichEdit::getStyle() const {
    return richEditStyle | extraStyle_;
}

unsigned RichEdit::getExStyle() const {
    return exStyle_;
}

bool RichEdit::onCreate(CREATESTRUCT*) {
    setMinWidth(175);
    setMinHeight(22);
    setWidth(175);
    setHeight(22);
    setMargins(2, 2, 2, 2);
    // A zero limit means 64K characters to a rich edit, not "no limit" as it does to a plain
    // edit: longer notes would be cut on typing and pasting.
    PostMessageW(getHandle(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    RECT client;
    GetClientRect(getHandle(), &client);
    RECT format{5, 1, client.right - 15, client.bottom - 1};
    SendMessageW(getHandle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
    return false;
}

void RichEdit::afterCreate() {
    const LRESULT mask = SendMessageW(getHandle(), EM_GETEVENTMASK, 0, 0);
    SendMessageW(getHandle(), EM_SETEVENTMASK, 0, mask | ENM_LINK);
    SendMessageW(getHandle(), EM_AUTOURLDETECT, TRUE, 0);
    buildContextMenu();
    Control::afterCreate();
}

// The menu is built once per object, even when its window is created again.
void RichEdit::buildContextMenu() {
    if (!commands_.empty()) {
        return;
    }
    const auto add = [this](const char* textKey, menu::Command::Action action, menu::Command::Predicate enabled,
                            const gdi::Icon& icon) {
        commands_.push_back(std::make_unique<menu::Command>(textKey, std::move(action), std::move(enabled), icon));
        contextMenu.appendItem(std::make_unique<menu::Item>(*commands_.back()));
    };
    const auto selected = [this] { return hasSelection(); };
    add(
        "undo", [this] { undo(); }, [this] { return canUndo(); }, gdi::Icon());
    add(
        "redo", [this] { redo(); }, [this] { return canRedo(); }, gdi::Icon());
    contextMenu.appendSeparator();
    add(
        "menu.edit.cut", [this] { cut(); }, selected, gdi::Icon(142, 16, 16, true));
    add(
        "menu.edit.copy", [this] { copy(); }, selected, gdi::Icon(134, 16, 16, true));
    add(
        "menu.edit.paste", [this] { pastePlainText(); }, menu::Command::Predicate(), gdi::Icon(141, 16, 16, true));
    add(
        "menu.edit.delete", [this] { deleteSelection(); }, selected, gdi::Icon(117, 16, 16, true));
    contextMenu.appendSeparator();
    add(
        "menu.edit.selectall", [this] { selectAll(); }, menu::Command::Predicate(), gdi::Icon());
}

// Arrows, Tab and characters always; every key when Enter is pressed, so that a dialog does
// not take Enter for its default button.
bool RichEdit::onGetDlgCode(MSG* msg, LRESULT& result) {
    result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        result |= DLGC_WANTALLKEYS;
    }
    return true;
}

// Tab moves the focus (onKeyDown); its character never reaches the text.
bool RichEdit::onChar(int character) {
    return character == '\t';
}

bool RichEdit::onKeyDown(int key, int, bool, bool) {
    const bool control = isKeyDown(VK_CONTROL);
    const bool shift = isKeyDown(VK_SHIFT);
    switch (key) {
    case 'V':
        if (!control) {
            return false;
        }
        pastePlainText();
        return true;
    case VK_INSERT:
        if (!shift) {
            return false;
        }
        pastePlainText();
        return true;
    case VK_TAB:
        if (control) {
            return false;
        }
        ui::focusNextTabStop(getHandle(), shift);
        return true;
    case VK_UP:
    case VK_PRIOR: {
        const CHARRANGE selection = getSelection();
        if (lineOf(selection.cpMax) != 0) {
            return false;
        }
        if (selection.cpMax != 0) {
            setSelection(0, 0);
        } else {
            ui::focusNextTabStop(getHandle(), true);
        }
        return true;
    }
    case VK_DOWN:
    case VK_NEXT: {
        const CHARRANGE selection = getSelection();
        const auto lastLine = static_cast<int>(SendMessageW(getHandle(), EM_GETLINECOUNT, 0, 0)) - 1;
        if (lineOf(selection.cpMax) != lastLine) {
            return false;
        }
        const int length = getTextLength();
        if (selection.cpMin == length) {
            ui::focusNextTabStop(getHandle(), false);
        } else {
            setSelection(length, length);
        }
        return true;
    }
    default:
        return false;
    }
}

bool RichEdit::onCommand(int code, ULONG_PTR param) {
    if (code == EN_LINK && param != 0) {
        return onLinkNotification(*reinterpret_cast<const ENLINK*>(param));
    }
    return false;
}

// A single click only places the caret; a double click opens the link.
bool RichEdit::onLinkNotification(const ENLINK& link) {
    if (link.msg != WM_LBUTTONDBLCLK || !linkOpener_) {
        return false;
    }
    const std::wstring text = getTextRange(link.chrg);
    if (!text.empty()) {
        linkOpener_(getHandle(), text);
    }
    return true;
}

std::wstring RichEdit::getText() const {
    return getWindowText(getHandle());
}

void RichEdit::setText(const std::wstring& text) {
    SetWindowTextW(getHandle(), text.c_str());
}

int RichEdit::getTextLength() const {
    GETTEXTLENGTHEX query{};
    query.flags = GTL_PRECISE | GTL_NUMCHARS;
    query.codepage = 1200;
    return static_cast<int>(SendMessageW(getHandle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

void RichEdit::undo() {
    SendMessageW(getHandle(), EM_UNDO, 0, 0);
}

void RichEdit::redo() {
    SendMessageW(getHandle(), EM_REDO, 0, 0);
}

bool RichEdit::canUndo() const {
    return SendMessageW(getHandle(), EM_CANUNDO, 0, 0) != 0;
}

bool RichEdit::canRedo() const {
    return SendMessageW(getHandle(), EM_CANREDO, 0, 0) != 0;
}

void RichEdit::cut() {
    SendMessageW(getHandle(), WM_CUT, 0, 0);
}

void RichEdit::copy() {
    SendMessageW(getHandle(), WM_COPY, 0, 0);
}

// The control's own paste would keep the other program's fonts and colours. A read-only
// text stays as it is, as with the control's own paste.
void RichEdit::pastePlainText() {
    std::wstring text;
    if (isReadOnly() || !readClipboardText(getHandle(), text)) {
        return;
    }
    SendMessageW(getHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// The control deletes as if the user pressed Delete. Synthesised keys go to whichever window
// has the focus, so without it the selection is replaced directly instead (undoable too).
void RichEdit::deleteSelection() {
    if (hasFocus()) {
        const auto scanCode = static_cast<BYTE>(MapVirtualKeyW(VK_DELETE, MAPVK_VK_TO_VSC));
        keybd_event(VK_DELETE, scanCode, 0, 0);
        keybd_event(VK_DELETE, scanCode, KEYEVENTF_KEYUP, 0);
    } else if (!isReadOnly()) {
        SendMessageW(getHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    }
}

void RichEdit::selectAll() {
    setSelection(0, -1);
}

bool RichEdit::hasSelection() const {
    const CHARRANGE selection = getSelection();
    return selection.cpMin != selection.cpMax;
}

void RichEdit::setLinkOpener(LinkOpener opener) {
    linkOpener_ = std::move(opener);
}

CHARRANGE RichEdit::getSelection() const {
    CHARRANGE selection{0, 0};
    SendMessageW(getHandle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return selection;
}

void RichEdit::setSelection(LONG start, LONG end) {
    SendMessageW(getHandle(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

int RichEdit::lineOf(LONG position) const {
    return static_cast<int>(SendMessageW(getHandle(), EM_EXLINEFROMCHAR, 0, position));
}

// The range comes with a notification: it is checked against the text before it sizes a
// buffer.
std::wstring RichEdit::getTextRange(CHARRANGE range) const {
    const LONG length = getTextLength();
    const LONG start = std::max<LONG>(range.cpMin, 0);
    const LONG end = std::min<LONG>(range.cpMax, length);
    if (end <= start) {
        return std::wstring();
    }
    std::wstring text(static_cast<size_t>(end - start) + 1, L'\0');
    TEXTRANGEW request{};
    request.chrg.cpMin = start;
    request.chrg.cpMax = end;
    request.lpstrText = &text[0];
    const auto copied =
        static_cast<size_t>(SendMessageW(getHandle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request)));
    text.resize(std::min(copied, static_cast<size_t>(end - start)));
    return text;
}

bool RichEdit::isReadOnly() const {
    return (GetWindowLongPtrW(getHandle(), GWL_STYLE) & ES_READONLY) != 0;
}

}  // namespace ui::controls
