#include "ui/NotifyIcon.hpp"

#include "ui/Window.hpp"
#include "ui/menu/Popup.hpp"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>

namespace ui {

namespace {

#ifdef _WIN64
static_assert(sizeof(NOTIFYICONDATAW) == 976, "the whole record of current shells, balloons included");
#endif

constexpr std::size_t maxTooltip = 63;
constexpr UINT balloonUserClick = 0x405;  // NIN_BALLOONUSERCLICK
constexpr DWORD balloonNoSound = 0x10;    // NIIF_NOSOUND

// Copies what fits of `text` into a fixed field, always ending it with a zero.
template <std::size_t size>
void copyField(WCHAR (&field)[size], const std::wstring& text, std::size_t limit = size - 1) {
    const std::size_t count = std::min({text.size(), limit, size - 1});
    std::wmemcpy(field, text.data(), count);
    field[count] = L'\0';
}

}  // namespace

NotifyIcon::NotifyIcon(Window& owner, int id, int iconResource, std::wstring tooltip)
    : owner_(owner),
      id_(id),
      icon_(iconResource, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)),
      tooltip_(std::move(tooltip)),
      balloonTimer_(USER_TIMER_MINIMUM, [this](std::uint32_t) { removeBalloon(); }) {
    taskbarCreatedMessage();
    install(&owner_);
}

NotifyIcon::~NotifyIcon() {
    balloonTimer_.stop();
    if (added_) {
        NOTIFYICONDATAW data = record(0);
        Shell_NotifyIconW(NIM_DELETE, &data);
    }
}

UINT NotifyIcon::taskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void NotifyIcon::setMenu(menu::Popup* menu) {
    menu_ = menu;
}

NOTIFYICONDATAW NotifyIcon::record(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(NOTIFYICONDATAW);
    data.hWnd = owner_.getHandle();
    data.uID = static_cast<UINT>(id_);
    data.uFlags = flags;
    return data;
}

bool NotifyIcon::add() {
    wanted_ = true;
    // Without its window the icon could send its clicks nowhere.
    if (owner_.getHandle() == nullptr) {
        added_ = false;
        return false;
    }
    UINT flags = NIF_MESSAGE | NIF_ICON;
    if (!tooltip_.empty()) {
        flags |= NIF_TIP;
    }
    NOTIFYICONDATAW data = record(flags);
    data.uCallbackMessage = callbackMessage;
    data.hIcon = icon_.getHandle();
    copyField(data.szTip, tooltip_, maxTooltip);
    added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    // The shell refuses to add an icon it still shows (an announcement without a restart);
    // changing it then proves that it is there.
    if (!added_) {
        added_ = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    }
    return added_;
}

void NotifyIcon::remove() {
    wanted_ = false;
    balloonTimer_.stop();
    if (added_) {
        NOTIFYICONDATAW data = record(0);
        Shell_NotifyIconW(NIM_DELETE, &data);
        added_ = false;
    }
}

void NotifyIcon::showBalloon(const std::wstring& title, const std::wstring& text, int timeoutMs) {
    if (!added_) {
        return;
    }
    NOTIFYICONDATAW data = record(NIF_INFO);
    copyField(data.szInfoTitle, title);
    copyField(data.szInfo, text);
    data.uTimeout = static_cast<UINT>(std::max(timeoutMs, 0));
    data.dwInfoFlags = balloonNoSound;
    if (!Shell_NotifyIconW(NIM_MODIFY, &data)) {
        return;
    }
    balloonTimer_.stop();
    balloonTimer_.setInterval(
        std::clamp(timeoutMs, static_cast<int>(USER_TIMER_MINIMUM), static_cast<int>(USER_TIMER_MAXIMUM)));
    balloonTimer_.start();
}

// An empty balloon text takes the balloon away.
void NotifyIcon::removeBalloon() {
    balloonTimer_.stop();
    if (added_) {
        NOTIFYICONDATAW data = record(NIF_INFO);
        Shell_NotifyIconW(NIM_MODIFY, &data);
    }
}

bool NotifyIcon::intercept(const MSG& msg, LRESULT& result) {
    if (msg.message == taskbarCreatedMessage() && msg.message != 0) {
        // The new shell knows no icons. One that could not be added before gets its chance
        // too, or a window hidden to the tray could never be reached again.
        if (wanted_) {
            add();
        }
        return false;
    }
    if (msg.message != callbackMessage || msg.wParam != static_cast<WPARAM>(id_)) {
        return false;
    }
    onCallback(LOWORD(msg.lParam));
    result = 0;
    return true;
}

void NotifyIcon::onCallback(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        leftClicked();
        break;
    case WM_RBUTTONUP:
        showMenu();
        break;
    case balloonUserClick:
        balloonClicked();
        break;
    default:
        break;
    }
}

// The owner comes to the foreground first, or the menu would not close when the user
// clicks elsewhere; the null message afterwards lets the menu go away cleanly.
void NotifyIcon::showMenu() {
    if (menu_ == nullptr) {
        return;
    }
    const HWND owner = owner_.getHandle();
    SetForegroundWindow(owner);
    POINT cursor{};
    GetCursorPos(&cursor);
    menu_->track(cursor.x, cursor.y, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON);
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace ui
