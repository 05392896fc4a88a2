#include "app/mainframe/NoteEditDialog.hpp"

#include "app/LinkOpener.hpp"
#include "app/Placement.hpp"
#include "app/PlacementWin32.hpp"
#include "app/Settings.hpp"
#include "err/Exceptions.hpp"
#include "gdi/Font.hpp"
#include "gdi/NonClientCanvas.hpp"
#include "gdi/UpdateCanvas.hpp"
#include "res/StringsBundle.hpp"
#include "ui/MessageBox.hpp"
#include "ui/layout/BorderLayouts.hpp"
#include "ui/layout/BoxLayouts.hpp"

#include <richedit.h>

#include <cstdint>
#include <utility>

namespace app::mainframe {

namespace {

using ui::layout::Alignment;
using ui::layout::Place;

constexpr int defaultWidth = 590;
constexpr int defaultHeight = 520;
constexpr int linkIconResource = 129;
constexpr int linkIconSize = 16;
// The link's right padding: the icon with two pixels before it and three after it.
constexpr std::int16_t linkIconPadding = 2 + linkIconSize + 3;

// Down and Page Down in a one-line field lead on to the next field; Up and Page Up lead back
// where there is a field before, and go nowhere otherwise. Answers whether the key was used.
bool stepOnArrow(HWND field, int key, bool upGoesBack) {
    switch (key) {
    case VK_DOWN:
    case VK_NEXT:
        ui::focusNextTabStop(field, false);
        return true;
    case VK_UP:
    case VK_PRIOR:
        if (upGoesBack) {
            ui::focusNextTabStop(field, true);
        }
        return true;
    default:
        return false;
    }
}

bool isWindowRect(const Rect& rect) {
    return rect.right > rect.left && rect.bottom > rect.top;
}

}  // namespace

NoteEditDialog::TitleEdit::TitleEdit(ui::Window* parent) : Edit(parent) {}

bool NoteEditDialog::TitleEdit::onKeyDown(int key, int, bool, bool) {
    return stepOnArrow(getHandle(), key, false);
}

void NoteEditDialog::TitleEdit::setFont(std::shared_ptr<gdi::Font> font) {
    if (!font) {
        return;
    }
    font_ = std::move(font);
    SendMessageW(getHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_->getHandle()), TRUE);
    TEXTMETRICW metrics{};
    {
        gdi::UpdateCanvas screen(nullptr);
        screen.selectFont(font_);
        GetTextMetricsW(screen.getHandle(), &metrics);
    }
    setMinHeight(metrics.tmHeight + getPaddingTop() + getPaddingBottom() + 4);
}

NoteEditDialog::TagsEdit::TagsEdit(ui::Window* parent) : Edit(parent) {}

bool NoteEditDialog::TagsEdit::onKeyDown(int key, int, bool, bool) {
    return stepOnArrow(getHandle(), key, true);
}

NoteEditDialog::LinkEdit::LinkEdit(ui::Window* parent, OpenLink openLink, CanOpenLink canOpenLink)
    : Edit(parent), openLink_(std::move(openLink)), canOpenLink_(std::move(canOpenLink)) {
    if (!openLink_) {
        err::throwInvalidArgument("app::mainframe::NoteEditDialog::LinkEdit::LinkEdit", "olc != 0");
    }
    if (!canOpenLink_) {
        err::throwInvalidArgument("app::mainframe::NoteEditDialog::LinkEdit::LinkEdit", "colc != 0");
    }
    setPaddings(getPaddingLeft(), getPaddingTop(), linkIconPadding, getPaddingBottom());
}

NoteEditDialog::LinkEdit::~LinkEdit() = default;

void NoteEditDialog::LinkEdit::afterCreate() {
    icon_ = gdi::Icon(linkIconResource, linkIconSize, linkIconSize);
    Edit::afterCreate();
    setMinWidth(200);
}

bool NoteEditDialog::LinkEdit::onKeyDown(int key, int, bool, bool) {
    switch (key) {
    case VK_DOWN:
    case VK_NEXT:
        return true;
    case VK_UP:
    case VK_PRIOR:
        ui::focusNextTabStop(getHandle(), true);
        return true;
    default:
        return false;
    }
}

// The icon comes and goes with what is typed.
bool NoteEditDialog::LinkEdit::onCommand(int code, ULONG_PTR param) {
    const bool handled = Edit::onCommand(code, param);
    if (code == EN_CHANGE) {
        refreshFrame();
    }
    return handled;
}

bool NoteEditDialog::LinkEdit::onNcPaint(HRGN region) {
    const bool handled = Edit::onNcPaint(region);
    const RECT icon = getIconRect();
    if (!IsRectEmpty(&icon)) {
        gdi::NonClientCanvas canvas(getHandle());
        canvas.drawImage(icon_, icon.left, icon.top, true);
    }
    return handled;
}

// The edit itself answers "nowhere" in its padding, where no click would arrive.
bool NoteEditDialog::LinkEdit::onNcHitTest(int x, int y, LRESULT& result) {
    RECT window;
    GetWindowRect(getHandle(), &window);
    result = callSuperclassProc(WM_NCHITTEST, 0, MAKELPARAM(window.left + x, window.top + y));
    if (result == HTNOWHERE) {
        result = HTBORDER;
    }
    return true;
}

bool NoteEditDialog::LinkEdit::onNcLButtonDown(int x, int y) {
    const RECT icon = getIconRect();
    const POINT point{x, y};
    if (!PtInRect(&icon, point)) {
        return false;
    }
    openLink_();
    return true;
}

RECT NoteEditDialog::LinkEdit::getIconRect() const {
    RECT window;
    if (icon_.isNull() || !GetWindowRect(getHandle(), &window) || !canOpenLink_()) {
        return RECT{0, 0, 0, 0};
    }
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int left = width - 1 - linkIconPadding + 2;
    const int top = (height - linkIconSize) / 2;
    return RECT{left, top, left + linkIconSize, top + linkIconSize};
}

NoteEditDialog::NoteEditDialog(ui::Window* owner, const model::Note& note, const std::wstring& title,
                               app::ColorRef baseColor, std::shared_ptr<gdi::Font> textFont)
    : ThemedDialog(title, owner, baseColor, Buttons::okAndCancel, ui::Placement::keepPosition),
      note_(note),
      textFont_(std::move(textFont)) {}

NoteEditDialog::~NoteEditDialog() {
    if (isAttached()) {
        destroy();
    }
}

bool NoteEditDialog::isResizable() const {
    return true;
}

void NoteEditDialog::afterCreate() {
    build();
    setTextFont();
    ThemedDialog::afterCreate();
    place();
}

void NoteEditDialog::build() {
    title_.create();
    title_.setMargins(8, 8, 8, 0);
    title_.setText(note_.title());

    text_.create();
    // The control raises its length limit by a posted message, which arrives only after the
    // text below is set; a long note must not meet the default limit of 32K characters.
    SendMessageW(text_.getHandle(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    text_.setMinHeight(150);
    text_.setMargins(2, 0, 2, 8);
    text_.setText(note_.text());
    text_.setLinkOpener([this](HWND, const std::wstring& link) { openNoteLink(link); });

    using ui::composite::LabeledEdit;
    using ui::composite::LabelPosition;
    tags_ = std::make_unique<LabeledEdit>(this, res::getText("noteedit.keywords"), LabelPosition::labelLeftFill,
                                          std::make_unique<TagsEdit>(this));
    tags_->getLabel().setMinWidth(75);
    tags_->getLabel().setBackgroundColor(getColors().light1);
    tags_->getEdit().setText(note_.tagString());

    auto linkEdit = std::make_unique<LinkEdit>(
        this, [this] { openNoteLink(link_->getEdit().getText()); },
        [this] { return link_ && model::Note::isUrl(link_->getEdit().getText()); });
    link_ = std::make_unique<LabeledEdit>(this, res::getText("noteedit.link"), LabelPosition::labelLeftFill,
                                          std::move(linkEdit));
    link_->getLabel().setMinWidth(75);
    link_->getLabel().setBackgroundColor(getColors().light1);
    link_->getEdit().setText(note_.link());

    hint_ = std::make_unique<ui::controls::Label>(this, res::getText("noteedit.accepthint"));
    hint_->create();
    hint_->setTextColor(RGB(0x5F, 0x5F, 0x5F));
    hint_->setBackgroundColor(getColors().light2);
    hint_->setMinWidth(150);
    hint_->setMargins(5, 0, 0, 0);

    createFrame();

    ui::layout::Pane& root = getRootPane();
    root.setContent(&getBackground(), false);
    ui::layout::Pane& top = root.addPane(Place::top, ui::layout::HBorderLayout(), 0, 0);
    top.put(&title_, Place::center);
    ui::layout::Pane& center = root.addPane(Place::center, ui::layout::VBorderLayout(), 0, 0);
    center.setPaddings(6, 0, 6, 10);
    center.put(&text_, Place::center);
    ui::layout::Pane& fields =
        center.addPane(Place::bottom, ui::layout::VBoxLayout(Alignment::top, Alignment::fill), 0, 0);
    fields.put(tags_.get());
    fields.put(link_.get());
    ui::layout::Pane& bottom = root.addPane(Place::bottom, ui::layout::HBorderLayout(), 0, 0);
    bottom.setPaddings(8, 8, 8, 8);
    bottom.setContent(&getButtonStrip(), false);
    bottom.put(hint_.get(), Place::center);
    ui::layout::Pane& buttons =
        bottom.addPane(Place::right, ui::layout::HBoxLayout(Alignment::right, Alignment::bottom), 0, 0);
    putButtons(buttons);

    setDefaultControl(&title_);
}

void NoteEditDialog::setTextFont() {
    if (!textFont_) {
        return;
    }
    SendMessageW(text_.getHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(textFont_->getHandle()), TRUE);
    title_.setFont(textFont_);
    getRootPane().update(false);
    getRootPane().update(true);
}

void NoteEditDialog::buildMenus() {
    ui::input::Accelerators& keys = getAccelerators();
    keys.add(FCONTROL, VK_RETURN, [this] { accept(); });
    keys.add(FCONTROL, VK_UP, [this] { title_.focus(); });
    keys.add(FCONTROL, VK_DOWN, [this] { tags_->getEdit().focus(); });
}

// The last place the user gave the dialog, or centred on the owner. Either is pulled onto
// the nearest monitor's work area and shrunk to fit it: a monitor that is gone or a damaged
// setting must not open the dialog where nobody can reach it.
void NoteEditDialog::place() {
    Rect wanted;
    try {
        wanted = Settings::instance().get<Rect>(Settings::noteEditDialogPlacementKey,
                                                Settings::defaultNoteEditDialogPlacement);
    } catch (const err::RuntimeException&) {
        wanted = Rect();
    }
    if (!isWindowRect(wanted)) {
        Rect around;
        if (getOwner() != nullptr && getOwner()->isAttached()) {
            RECT owner;
            RECT client;
            GetWindowRect(getOwner()->getHandle(), &owner);
            GetClientRect(getOwner()->getHandle(), &client);
            around = Rect{owner.left, owner.top, owner.right, owner.top + client.bottom};
        } else {
            around = nearestWorkArea(Rect{0, 0, 1, 1});
        }
        const int left = around.left + (around.right - around.left - defaultWidth) / 2;
        const int top = around.top + (around.bottom - around.top - defaultHeight + getNonClientHeight()) / 2;
        wanted = Rect{left, top, left + defaultWidth, top + defaultHeight};
    }
    const Rect fitted = fitIntoArea(wanted, nearestWorkArea(wanted));
    SetWindowPos(getHandle(), nullptr, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void NoteEditDialog::storePlacement() const {
    RECT window;
    if (IsIconic(getHandle()) || IsZoomed(getHandle()) || !GetWindowRect(getHandle(), &window)) {
        return;
    }
    const Rect placement{window.left, window.top, window.right, window.bottom};
    Settings::instance().set<Rect>(Settings::noteEditDialogPlacementKey, placement);
}

void NoteEditDialog::accept() {
    writeFields(note_);
    setResult(ui::DialogResult::accepted);
    close();
}

void NoteEditDialog::writeFields(model::Note& note) const {
    note.setText(text_.getText());
    note.setTitle(title_.getText());
    note.setLink(link_->getEdit().getText());
    note.setTags(tags_->getEdit().getText());
}

// The fields are compared as they would be stored: the text box gives its line breaks back
// as CR LF and the note keeps LF, and blanks the note trims are no change.
bool NoteEditDialog::hasChanges() const {
    model::Note edited(note_);
    writeFields(edited);
    return edited.text() != note_.text() || edited.title() != note_.title() || edited.link() != note_.link()
           || edited.tagString() != note_.tagString();
}

// Escape and the close box come here too: typed changes are not thrown away unasked.
bool NoteEditDialog::onClose() {
    if (getResult() != ui::DialogResult::accepted && hasChanges()
        && ui::askYesNo(getHandle(), res::getText("noteedit.discard"), res::getText("noteedit.discard.title"))
               != IDYES) {
        return true;
    }
    return ThemedDialog::onClose();
}

// However the dialog ends, its place is kept for the next time.
bool NoteEditDialog::onDestroy() {
    storePlacement();
    return ThemedDialog::onDestroy();
}

// The wheel scrolls the text whichever field has the focus.
bool NoteEditDialog::preTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEWHEEL && text_.isAttached() && msg->hwnd != text_.getHandle()
        && (msg->hwnd == getHandle() || IsChild(getHandle(), msg->hwnd))) {
        SendMessageW(text_.getHandle(), WM_MOUSEWHEEL, msg->wParam, msg->lParam);
        return true;
    }
    return ThemedDialog::preTranslateMessage(msg);
}

void NoteEditDialog::openNoteLink(const std::wstring& link) {
    openLink(getHandle(), link);
}

}  // namespace app::mainframe
