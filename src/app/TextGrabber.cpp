#include "app/TextGrabber.hpp"

#include "app/Settings.hpp"
#include "err/ErrorReport.hpp"
#include "err/Exceptions.hpp"
#include "sys/platform/Platform.hpp"
#include "sys/timers/Timer.hpp"
#include "ui/Window.hpp"
#include "ui/WindowClass.hpp"
#include "ui/clip/Clipboard.hpp"
#include "ui/clip/ClipboardSnapshot.hpp"
#include "ui/clip/ClipboardViewer.hpp"
#include "ui/controls/WindowText.hpp"
#include "ui/input/Hotkey.hpp"
#include "ui/input/RemoteInput.hpp"

#include <windows.h>

#include <iterator>

namespace app {

namespace {

HWND hwnd(WindowHandle window) {
    return static_cast<HWND>(window);
}

// The file name of the window's executable in the classic lower case (only A to Z change).
std::wstring moduleNameOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = processId != 0 ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId) : nullptr;
    if (process == nullptr) {
        return std::wstring();
    }
    wchar_t path[MAX_PATH * 4];
    DWORD length = static_cast<DWORD>(std::size(path));
    const BOOL ok = QueryFullProcessImageNameW(process, 0, path, &length);
    CloseHandle(process);
    if (!ok) {
        return std::wstring();
    }
    std::wstring name(path, length);
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        name.erase(0, slash + 1);
    }
    for (wchar_t& c : name) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return name;
}

HWND child(HWND parent, const wchar_t* className) {
    return parent != nullptr ? FindWindowExW(parent, nullptr, className, nullptr) : nullptr;
}

// Internet Explorer's address edit, found by the classes of the windows that hold it.
std::wstring addressBarOf(HWND browser) {
    HWND worker = child(browser, L"WorkerW");
    if (worker == nullptr) {
        worker = child(browser, L"WorkerA");
    }
    HWND rebar = child(worker, L"ReBarWindow32");
    if (rebar == nullptr) {
        return std::wstring();
    }
    HWND band = child(rebar, L"Address Band Root");
    HWND edit = child(child(child(band != nullptr ? band : rebar, L"ComboBoxEx32"), L"ComboBox"), L"Edit");
    return edit != nullptr ? ui::controls::getWindowText(edit) : std::wstring();
}

void recordFailure(const char* where) {
    sys::platform::debugOutput(err::describeCurrentException(where).text);
}

}  // namespace

// The system side of a capture, on the main window's thread.
class TextGrabber::System : public ICaptureClipboard,
                            public ICaptureWindows,
                            public ICaptureInput,
                            public ICaptureTimer {
public:
    System(ui::Window& window, std::function<void()> changed, std::function<void()> tick)
        : window_(window), viewer_(window), timer_(CaptureMachine::timeout, [tick](std::uint32_t) { tick(); }) {
        viewer_.changed.connect([changed] { changed(); });
    }
    ~System() override {
        timer_.stop();
        if (viewer_.isConnected()) {
            viewer_.disconnect();
        }
    }

    bool snapshot() override {
        snapshot_ = ui::clip::ClipboardSnapshot::take(owner());
        return snapshot_.isTaken();
    }
    // Tried once without waiting: the capture retries on its timer instead.
    bool restore() override { return snapshot_.restore(owner(), 0); }
    std::optional<std::wstring> readText() override { return ui::clip::readUnicodeText(owner()); }
    std::string readHtml() override { return ui::clip::readFormatBytes(owner(), ui::clip::htmlFormat()); }
    bool hasHtml() override { return IsClipboardFormatAvailable(ui::clip::htmlFormat()) != FALSE; }
    bool ownedByProcessOf(WindowHandle window) override {
        HWND clipboardOwner = GetClipboardOwner();
        DWORD ownerProcess = 0;
        DWORD windowProcess = 0;
        if (clipboardOwner == nullptr || GetWindowThreadProcessId(clipboardOwner, &ownerProcess) == 0
            || GetWindowThreadProcessId(hwnd(window), &windowProcess) == 0) {
            return false;
        }
        return ownerProcess == windowProcess;
    }
    void watch(bool on) override {
        if (on && !viewer_.isConnected()) {
            viewer_.connect();
        } else if (!on && viewer_.isConnected()) {
            viewer_.disconnect();
        }
    }

    WindowHandle foregroundWindow() override {
        HWND window = GetForegroundWindow();
        for (HWND parent = window != nullptr ? GetParent(window) : nullptr; parent != nullptr;
             parent = GetParent(window)) {
            window = parent;
        }
        return window;
    }
    bool isOwnWindow(WindowHandle window) override {
        return GetAncestor(hwnd(window), GA_ROOTOWNER) == owner() || hwnd(window) == owner();
    }
    std::wstring title(WindowHandle window) override { return ui::controls::getWindowText(hwnd(window)); }
    std::wstring className(WindowHandle window) override {
        wchar_t name[256];
        const int length = GetClassNameW(hwnd(window), name, static_cast<int>(std::size(name)));
        return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
    }
    std::wstring moduleName(WindowHandle window) override { return moduleNameOf(hwnd(window)); }
    std::wstring addressBarText(WindowHandle window) override { return addressBarOf(hwnd(window)); }

    bool withAttachedInput(WindowHandle target, const std::function<void()>& step) override {
        return ui::input::withAttachedInput(hwnd(target), step);
    }
    WindowHandle focusWindow() override { return GetFocus(); }
    void bringToFront(WindowHandle window) override { SetForegroundWindow(hwnd(window)); }
    void setFocus(WindowHandle window) override { SetFocus(hwnd(window)); }
    bool readyForKeys(WindowHandle target, unsigned modifiers) override {
        if (!ui::input::modifiersUp(modifiers)) {
            return false;
        }
        DWORD processId = 0;
        GetWindowThreadProcessId(hwnd(target), &processId);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
        if (process == nullptr) {
            return true;
        }
        const DWORD waited = WaitForInputIdle(process, 0);
        CloseHandle(process);
        return waited != WAIT_TIMEOUT;
    }
    void releaseModifiers(unsigned modifiers) override { ui::input::releaseModifiers(modifiers); }
    void send(CaptureKeys keys) override {
        switch (keys) {
        case CaptureKeys::Copy:
            ui::input::sendKeyCombination(VK_CONTROL, 'C');
            break;
        case CaptureKeys::ConsoleCopy:
            ui::input::sendKeyCombination(VK_CONTROL, VK_INSERT);
            break;
        case CaptureKeys::FocusAddress:
            ui::input::sendKeyCombination(VK_CONTROL, 'L');
            break;
        case CaptureKeys::F9:
            ui::input::pressKey(VK_F9);
            break;
        }
    }

    void start(int milliseconds) override {
        timer_.setInterval(milliseconds);
        timer_.start();
    }
    void stop() override { timer_.stop(); }

private:
    HWND owner() const { return window_.getHandle(); }

    ui::Window& window_;
    ui::clip::ClipboardViewer viewer_;
    sys::timers::Timer timer_;
    ui::clip::ClipboardSnapshot snapshot_;
};

TextGrabber::TextGrabber(ui::Window& mainWindow, Grabbed grabbed)
    : TextGrabber(mainWindow, std::move(grabbed), Settings::instance()) {}

TextGrabber::TextGrabber(ui::Window& mainWindow, Grabbed grabbed, Settings& settings)
    : window_(mainWindow), settings_(settings), grabbed_(std::move(grabbed)) {
    system_ = std::make_unique<System>(
        window_, [this] { guarded([this] { machine_->onClipboardChange(); }); },
        [this] { guarded([this] { machine_->onTimer(); }); });
    machine_ = std::make_unique<CaptureMachine>(
        CaptureServices{*system_, *system_, *system_, *system_}, [this] { return hotkey_ ? hotkey_->modifiers() : 0u; },
        [this](const GrabbedData& data) {
            if (grabbed_) {
                grabbed_(data);
            }
        });

    std::optional<std::pair<int, int>> stored;
    try {
        stored = std::make_pair(
            settings_.get<int>(Settings::captureHotkeyKey, Settings::defaultCaptureHotkey),
            settings_.get<int>(Settings::captureHotkeyModifiersKey, Settings::defaultCaptureHotkeyModifiers));
    } catch (const std::exception&) {
        // An unreadable stored key: the fallbacks decide.
    }
    startChoice_ = chooseClipHotkey(stored, [this](unsigned keyCode, unsigned modifiers) {
        try {
            hotkey_ = makeHotkey(keyCode, modifiers);
            return true;
        } catch (const err::SystemException&) {
            return false;
        }
    });
}

TextGrabber::~TextGrabber() {
    if (machine_ && machine_->phase() != CaptureMachine::Phase::Idle) {
        try {
            machine_->cancel();
        } catch (...) {
            recordFailure("app::TextGrabber::~TextGrabber");
        }
    }
}

// A capture reports nothing to the user: whatever goes wrong ends it, the clipboard put back.
template <class Event>
void TextGrabber::guarded(Event event) {
    try {
        event();
    } catch (...) {
        recordFailure("app::TextGrabber");
        try {
            if (machine_->phase() != CaptureMachine::Phase::Idle) {
                machine_->cancel();
            }
        } catch (...) {
            recordFailure("app::TextGrabber");
        }
    }
}

CaptureMachine::StartResult TextGrabber::grab() {
    CaptureMachine::StartResult result = CaptureMachine::StartResult::NoTarget;
    guarded([this, &result] { result = machine_->start(); });
    return result;
}

bool TextGrabber::isCapturing() const {
    const CaptureMachine::Phase phase = machine_->phase();
    return phase != CaptureMachine::Phase::Idle && phase != CaptureMachine::Phase::Guarding;
}

std::unique_ptr<ui::input::Hotkey> TextGrabber::makeHotkey(unsigned keyCode, unsigned modifiers) {
    // Without repeat: a held combination must not start capture after capture.
    return std::make_unique<ui::input::Hotkey>(
        window_, modifiers, keyCode, [this] { grab(); }, true);
}

void TextGrabber::setHotkey(unsigned keyCode, unsigned modifiers) {
    if (keyCode == 0) {
        modifiers = 0;
    } else if (hotkey_ && hotkey_->equals(keyCode, modifiers)) {
        return;
    }
    std::unique_ptr<ui::input::Hotkey> fresh;
    if (keyCode != 0) {
        fresh = makeHotkey(keyCode, modifiers);
    }
    hotkey_ = std::move(fresh);
    settings_.set<int>(Settings::captureHotkeyModifiersKey, static_cast<int>(modifiers));
    settings_.set<int>(Settings::captureHotkeyKey, static_cast<int>(keyCode));
}

std::pair<unsigned, unsigned> TextGrabber::hotkey() const {
    if (!hotkey_) {
        return {0, 0};
    }
    return {hotkey_->keyCode(), hotkey_->modifiers()};
}

void TextGrabber::releaseHotkey() {
    if (hotkey_) {
        released_ = {hotkey_->keyCode(), hotkey_->modifiers()};
    }
    hotkey_.reset();
}

void TextGrabber::resumeHotkey() noexcept {
    const auto [keyCode, modifiers] = released_;
    released_ = {0, 0};
    if (hotkey_ || keyCode == 0) {
        return;
    }
    try {
        hotkey_ = makeHotkey(keyCode, modifiers);
    } catch (const std::exception&) {
        // Taken by another program while the dialog was open: the clip key stays off.
    }
}

}  // namespace app
