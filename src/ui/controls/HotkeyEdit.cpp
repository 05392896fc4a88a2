#include "ui/controls/HotkeyEdit.hpp"

#include "ui/input/KeyNames.hpp"

#include <memory>

namespace ui::controls {

namespace {

// The one low-level keyboard hook of the process and the edit it reports to. Only the
// focused hot key edit captures, so one is enough; the hook goes with its owner on every
// path, a thrown exception and the end of the process included.
class CaptureHook {
public:
    explicit CaptureHook(HWND target);
    ~CaptureHook();
    CaptureHook(const CaptureHook&) = delete;
    CaptureHook& operator=(const CaptureHook&) = delete;

    bool isInstalled() const { return hook_ != nullptr; }
    HWND getTarget() const { return target_; }

private:
    static LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

    HWND target_;
    HHOOK hook_;
};

std::unique_ptr<CaptureHook> activeCapture;

CaptureHook::CaptureHook(HWND target)
    : target_(target), hook_(SetWindowsHookExW(WH_KEYBOARD_LL, &CaptureHook::hookProc, GetModuleHandleW(nullptr), 0)) {}

CaptureHook::~CaptureHook() {
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
}

// Every event goes on to the next hook, so the keys still reach the system and the
// dialog. Only keys meant for the edit are reported: its top window must be in front and
// the edit must hold that window's focus.
LRESULT CALLBACK CaptureHook::hookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION && activeCapture != nullptr) {
        const HWND target = activeCapture->getTarget();
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
        if ((down || up) && input::HotkeyCapture::isCapturedKey(event->vkCode) && GetFocus() == target
            && GetForegroundWindow() == GetAncestor(target, GA_ROOT)) {
            PostMessageW(target, HotkeyEdit::keyMessage, event->vkCode, up ? 1 : 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

HotkeyEdit::HotkeyEdit(Window* parent, unsigned style) : Edit(parent, style) {
    setPaddings(4, 4, 4, 4);
}

HotkeyEdit::~HotkeyEdit() {
    if (isAttached()) {
        destroy();
    }
}

std::wstring HotkeyEdit::getClassName() const {
    return L"Oskel.HotkeyEdit";
}

void HotkeyEdit::afterCreate() {
    Edit::afterCreate();
    refresh();
}

// The text is the hot key's alone: typing, the editing keys, the clipboard, undo and the
// edit's own context menu would all change it behind the capture's back, and system keys
// (Alt, F10) must not open the dialog's menu while they are part of a combination.
bool HotkeyEdit::handleMessage(const MSG& msg, LRESULT& result) {
    switch (msg.message) {
    case keyMessage:
        if (capture_.process(static_cast<unsigned>(msg.wParam), msg.lParam != 0)) {
            refresh();
        }
        return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_IME_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
        result = 0;
        return true;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        result = TRUE;
        return true;
    default:
        return Edit::handleMessage(msg, result);
    }
}

bool HotkeyEdit::onSetFocus() {
    activeCapture.reset();
    activeCapture = std::make_unique<CaptureHook>(getHandle());
    if (!activeCapture->isInstalled()) {
        // The edit still shows its value; it just cannot take a new one.
        activeCapture.reset();
    }
    return Edit::onSetFocus();
}

bool HotkeyEdit::onKillFocus() {
    stopCapture();
    return Edit::onKillFocus();
}

bool HotkeyEdit::onDestroy() {
    stopCapture();
    return Edit::onDestroy();
}

void HotkeyEdit::set(unsigned keyCode, unsigned modifiers) {
    capture_.set(keyCode, modifiers);
    refresh();
}

bool HotkeyEdit::isCapturing() const {
    return activeCapture != nullptr && isAttached() && activeCapture->getTarget() == getHandle();
}

void HotkeyEdit::refresh() {
    if (!isAttached()) {
        return;
    }
    const std::wstring text = input::hotkeyText(capture_.getKey(), capture_.getModifiers());
    setText(text);
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(getHandle(), EM_SETSEL, end, static_cast<LPARAM>(end));
}

void HotkeyEdit::stopCapture() {
    if (isCapturing()) {
        activeCapture.reset();
    }
}

}  // namespace ui::controls
