#include "ui/menu/Popup.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Canvas.hpp"
#include "gdi/GivenCanvas.hpp"
#include "gdi/Icon.hpp"
#include "gdi/NonClientCanvas.hpp"
#include "res/StringsBundle.hpp"
#include "ui/MessageWindow.hpp"
#include "ui/menu/Item.hpp"
#include "ui/menu/MenuStyle.hpp"
#include "ui/menu/Separator.hpp"

#include <utility>

namespace ui::menu {

namespace {

constexpr UINT disabledFlags = MF_GRAYED | MF_DISABLED;

LPCWSTR asItemData(int id) {
    return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id));
}

// Appends a text entry, then turns the same entry into an owner-drawn one with the id as
// item data; when the second step fails the entry is taken out again.
BOOL appendOwnerDrawn(HMENU menu, int id, const std::wstring& text, UINT flags, UINT_PTR newId) {
    if (!AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), text.c_str())) {
        return FALSE;
    }
    const auto position = static_cast<UINT>(GetMenuItemCount(menu) - 1);
    if (ModifyMenuW(menu, position, MF_BYPOSITION | flags, newId, asItemData(id))) {
        return TRUE;
    }
    const DWORD error = GetLastError();
    RemoveMenu(menu, position, MF_BYPOSITION);
    SetLastError(error);
    return FALSE;
}

// A sub-popup's entry has no command id of its own, so it is found by its menu handle.
void enableSubmenu(HMENU menu, HMENU submenu, bool enabled) {
    int pos = -1;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetSubMenu(menu, i) == submenu) {
            pos = i;
            break;
        }
    }
    if (!(pos >= 0)) {
        throw err::RuntimeException(
            err::preconditionMessage("ui::menu::`anonymous-namespace'::enableSubmenu", "pos >= 0"));
    }
    EnableMenuItem(menu, static_cast<UINT>(pos), MF_BYPOSITION | (enabled ? MF_ENABLED : disabledFlags));
}

// The menu window that shows `menu`: the system's menu class answering with that menu.
bool showsMenu(HWND window, HMENU menu) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32768"
           && reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)) == menu;
}

void drawSubmenuArrow(gdi::Canvas& canvas, int x, int y, bool disabled) {
    canvas.setForegroundColor(textColor(disabled));
    // Columns shrinking by a pixel at each end make a triangle pointing right.
    for (int i = 0; i < 4; ++i) {
        canvas.drawLine(x + 6 + i, y + 4 + i, x + 6 + i, y + 12 - i);
    }
}

}  // namespace

Popup::Popup(std::string textKey) : BasicMenu(CreatePopupMenu()), textKey_(std::move(textKey)), lastDraw_() {}

Popup::~Popup() = default;

void Popup::appendItem(std::unique_ptr<BasicItem> item) {
    if (!item) {
        throw err::InvalidArgumentException("Null pointer in ptr_map_adapter::insert()");
    }
    const int id = item->getId();
    if (!appendOwnerDrawn(getHandle(), id, item->getText(), item->getMenuFlags(), static_cast<UINT_PTR>(id))) {
        throw err::SystemException(err::postconditionMessage("ui::menu::Popup::appendItem", "r"));
    }
    items_.emplace(id, std::move(item));
}

void Popup::appendSeparator() {
    auto separator = std::make_unique<Separator>();
    const int id = separator->getId();
    if (!AppendMenuW(getHandle(), separator->getMenuFlags(), 0, asItemData(id))) {
        throw err::SystemException(err::postconditionMessage("ui::menu::Popup::appendSeparator", "r"));
    }
    items_.emplace(id, std::move(separator));
}

void Popup::appendSubmenu(std::unique_ptr<Popup> popup) {
    if (!popup) {
        err::throwInvalidArgument("ui::menu::Popup::appendSubmenu", "popup");
    }
    if (!appendOwnerDrawn(getHandle(), popup->getId(), popup->getText(), popup->getMenuFlags(),
                          reinterpret_cast<UINT_PTR>(popup->getHandle()))) {
        throw err::SystemException(err::postconditionMessage("ui::menu::Popup::appendSubmenu", "r"));
    }
    if (getTarget() != nullptr) {
        popup->install(getTarget());
    }
    submenus_.push_back(std::move(popup));
}

void Popup::install(MessageTarget* target) {
    BasicMenu::install(target);
    for (const auto& submenu : submenus_) {
        submenu->install(target);
    }
}

bool Popup::intercept(const MSG& msg, LRESULT& result) {
    bool handled = false;
    switch (msg.message) {
    case WM_MEASUREITEM:
        handled = msg.wParam == 0 && onMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(msg.lParam));
        break;
    case WM_DRAWITEM:
        handled = msg.wParam == 0 && onDrawItem(msg.hwnd, reinterpret_cast<const DRAWITEMSTRUCT*>(msg.lParam));
        break;
    case WM_REPAINTMENUFRAME:
        handled = msg.wParam == 0 && onRepaintFrame(msg);
        break;
    case WM_COMMAND:
        // Controls send WM_COMMAND with a zero high word too (BN_CLICKED), but name themselves
        // in lParam; their ids come from another counter and must not run menu items.
        handled = HIWORD(msg.wParam) == 0 && msg.lParam == 0 && onCommand(LOWORD(msg.wParam));
        break;
    case WM_INITMENUPOPUP:
        refreshEnabledStates();
        break;
    default:
        break;
    }
    if (handled) {
        result = TRUE;
    }
    return handled;
}

// Entries are found by their item data, which is the item's id for every kind of entry;
// separators and sub-popup entries have other command ids.
bool Popup::onMeasureItem(MEASUREITEMSTRUCT* record) {
    if (record == nullptr || record->CtlType != ODT_MENU) {
        return false;
    }
    const int id = static_cast<int>(record->itemData);
    if (!contains(id)) {
        return false;
    }
    const BasicItem* item = getItem(id);
    record->itemWidth = static_cast<UINT>(item->measureWidth());
    record->itemHeight = static_cast<UINT>(item->measureHeight());
    return true;
}

bool Popup::onDrawItem(HWND owner, const DRAWITEMSTRUCT* record) {
    if (record == nullptr || record->CtlType != ODT_MENU) {
        return false;
    }
    const int id = static_cast<int>(record->itemData);
    if (!contains(id)) {
        return false;
    }
    const RECT& r = record->rcItem;
    if (id != 0) {
        gdi::GivenCanvas canvas(WindowFromDC(record->hDC), record->hDC);
        getItem(id)->draw(canvas, gdi::Rect(r.left, r.top, r.right, r.bottom), record->itemState);
    }
    // Keeps the system from drawing over the item afterwards (the sub-menu arrow).
    ExcludeClipRect(record->hDC, r.left, r.top, r.right, r.bottom);
    MSG queued;
    if (record->itemAction == ODA_DRAWENTIRE
        && !PeekMessageW(&queued, owner, WM_REPAINTMENUFRAME, WM_REPAINTMENUFRAME, PM_NOREMOVE)) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        lastDraw_ = *record;
        PostMessageW(owner, WM_REPAINTMENUFRAME, 0, reinterpret_cast<LPARAM>(&lastDraw_));
    }
    return true;
}

// The request names the copy by address; only the popup that holds that copy reads it, so
// a request that outlives its popup is never dereferenced.
bool Popup::onRepaintFrame(const MSG& msg) {
    if (msg.lParam != reinterpret_cast<LPARAM>(&lastDraw_)) {
        return false;
    }
    if (lastDraw_.CtlType != ODT_MENU || !contains(static_cast<int>(lastDraw_.itemData))) {
        return false;
    }
    repaintFrame(lastDraw_);
    return true;
}

void Popup::repaintFrame(const DRAWITEMSTRUCT& record) {
    const auto menu = reinterpret_cast<HMENU>(record.hwndItem);
    RECT first;
    // Without a window the system finds the popup's own menu window for the rectangle.
    if (!GetMenuItemRect(nullptr, menu, 0, &first)) {
        return;
    }
    const POINT centre{(first.left + first.right) / 2, (first.top + first.bottom) / 2};
    const HWND menuWindow = WindowFromPoint(centre);
    // The menu may be closed by now, or another window may lie over that point.
    if (menuWindow == nullptr || !showsMenu(menuWindow, menu)) {
        return;
    }
    RECT bounds;
    if (!GetWindowRect(menuWindow, &bounds)) {
        return;
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const COLORREF window = windowColor();
    gdi::NonClientCanvas canvas(menuWindow);
    canvas.setForegroundColor(GetSysColor(COLOR_BTNSHADOW));
    canvas.drawRect(clampedRect(0, 0, width, height));
    canvas.setForegroundColor(window);
    canvas.drawRect(clampedRect(1, 1, width - 1, height - 1));
    canvas.drawRect(clampedRect(2, 2, width - 2, height - 2));
    const int l = 2;
    const int t = 2;
    const int b = height - 2;
    canvas.setBackgroundColor(iconColumnColor());
    canvas.fillRect(l - 1, t - 1, l + 23, t);
    canvas.fillRect(l - 1, b - 1, l + 23, b);
    canvas.fillRect(l - 1, t, l, b);
}

bool Popup::onCommand(int id) {
    if (!contains(id)) {
        return false;
    }
    auto* item = dynamic_cast<Item*>(getItem(id));
    if (item == nullptr) {
        throw err::InvalidArgumentException("Wrong kind of menu item ID");
    }
    item->execute();
    return true;
}

BasicItem* Popup::getItem(int id) {
    if (isEmpty()) {
        throw err::RuntimeException(err::preconditionMessage("ui::menu::Popup::getItem", "!isEmpty()"));
    }
    const auto found = items_.find(id);
    if (found != items_.end()) {
        return found->second.get();
    }
    for (const auto& submenu : submenus_) {
        if (submenu->getId() == id) {
            return submenu.get();
        }
        if (submenu->contains(id)) {
            return submenu->getItem(id);
        }
    }
    return nullptr;
}

bool Popup::contains(int id) const {
    if (items_.count(id) != 0) {
        return true;
    }
    for (const auto& submenu : submenus_) {
        if (submenu->getId() == id || submenu->contains(id)) {
            return true;
        }
    }
    return false;
}

int Popup::track(int x, int y, unsigned flags) {
    if (isEmpty()) {
        return 0;
    }
    refreshEnabledStates();
    const HWND owner = ownerForTracking();
    return static_cast<int>(TrackPopupMenu(getHandle(), flags, x, y, 0, owner, nullptr));
}

HWND Popup::ownerForTracking() {
    if (getTarget() == nullptr) {
        if (!standBy_) {
            standBy_ = std::make_unique<MessageWindow>();
        }
        if (!standBy_->isAttached()) {
            standBy_->create();
        }
        install(standBy_.get());
    }
    const HWND owner = getTargetHandle();
    if (owner == nullptr) {
        err::throwInvalidState("ui::menu::Popup::track", "owner != 0");
    }
    return owner;
}

void Popup::refreshEnabledStates() {
    const HMENU menu = getHandle();
    for (const auto& entry : items_) {
        EnableMenuItem(menu, static_cast<UINT>(entry.first),
                       MF_BYCOMMAND | (entry.second->isEnabled() ? MF_ENABLED : disabledFlags));
    }
    for (const auto& submenu : submenus_) {
        submenu->refreshEnabledStates();
        enableSubmenu(menu, submenu->getHandle(), submenu->isEnabled());
    }
}

unsigned Popup::getMenuFlags() const {
    return MF_OWNERDRAW | MF_POPUP;
}

gdi::Icon Popup::getIcon() const {
    return gdi::Icon();
}

std::wstring Popup::getText() const {
    return textKey_.empty() ? std::wstring() : res::getText(textKey_);
}

// Sub-popups count as entries: a popup holding only an enabled sub-popup stays enabled.
bool Popup::isEnabled() const {
    for (const auto& entry : items_) {
        if (entry.second->isEnabled()) {
            return true;
        }
    }
    for (const auto& submenu : submenus_) {
        if (submenu->isEnabled()) {
            return true;
        }
    }
    return false;
}

void Popup::draw(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) {
    BasicItem::draw(canvas, rect, state);
    drawSubmenuArrow(canvas, rect.right - 18, (rect.top + rect.bottom) / 2 - 8, isDisabledState(state));
}

}  // namespace ui::menu
