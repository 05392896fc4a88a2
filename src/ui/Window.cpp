#include "ui/Window.hpp"

#include "err/ErrorReport.hpp"
#include "err/Exceptions.hpp"
#include "ui/WindowClass.hpp"

#include <vector>

namespace ui {

namespace {

// Every window object ever bound, in binding order. A window's user-data slot holds its
// 1-based index; entries are never removed, so an index stays valid for the process.
std::vector<Window*>& windowRegistry() {
    static std::vector<Window*> registry;
    return registry;
}

bool isToolkitWindow(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)) == initialWndProc;
}

// The registry entry named by the window's user-data slot, or null when the slot names none.
Window* registryEntry(HWND hwnd) {
    const LONG_PTR index = GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    const auto& registry = windowRegistry();
    if (index < 1 || static_cast<size_t>(index) > registry.size()) {
        return nullptr;
    }
    return registry[static_cast<size_t>(index) - 1];
}

}  // namespace

Window* findWindow(HWND hwnd) {
    if (hwnd == nullptr || !IsWindow(hwnd) || !isToolkitWindow(hwnd)) {
        return nullptr;
    }
    Window* window = registryEntry(hwnd);
    return window != nullptr && window->getHandle() == hwnd ? window : nullptr;
}

LRESULT CALLBACK initialWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != WM_NCCREATE) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto* createStruct = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* window = static_cast<Window*>(createStruct->lpCreateParams);
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto& registry = windowRegistry();
    try {
        registry.push_back(window);
    } catch (...) {
        // An object that cannot be bound gets no window: FALSE ends the creation.
        err::reportCurrentException("ui::wndProc", nullptr);
        return FALSE;
    }
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wndProc));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(registry.size()));
    return wndProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK wndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Window* window = registryEntry(hwnd);
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    const LRESULT result = window->dispatch(msg);
    if (message == WM_NCDESTROY && window->hwnd_ == hwnd) {
        // The handle dies here, whoever destroyed the window; a later handle with the same
        // value must not look attached to this object.
        window->hwnd_ = nullptr;
    }
    return result;
}

LRESULT Window::dispatch(const MSG& msg) noexcept {
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = interceptMessage(msg, result);
        if (!handled) {
            handled = handleMessage(msg, result);
        }
    } catch (...) {
        err::reportCurrentException("ui::wndProc", msg.hwnd);
        handled = false;
    }
    if (handled) {
        return result;
    }
    if (superclassProc_ != nullptr) {
        return CallWindowProcW(superclassProc_, msg.hwnd, msg.message, msg.wParam, msg.lParam);
    }
    return DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

Window::Window() = default;

Window::~Window() {
    if (isAttached()) {
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

bool Window::handleMessage(const MSG& msg, LRESULT& result) {
    switch (msg.message) {
    case WM_CREATE:
        return onCreate(reinterpret_cast<CREATESTRUCT*>(msg.lParam));
    case WM_DESTROY:
        return onDestroy();
    case WM_NCCREATE:
        if (onNcCreate(reinterpret_cast<CREATESTRUCT*>(msg.lParam))) {
            // Zero would abort the creation.
            result = TRUE;
            return true;
        }
        return false;
    case WM_NCDESTROY:
        return onNcDestroy();
    default:
        return false;
    }
}

void Window::setEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

bool Window::onCreate(CREATESTRUCT*) {
    return false;
}

bool Window::onDestroy() {
    return false;
}

bool Window::onNcCreate(CREATESTRUCT*) {
    return false;
}

bool Window::onNcDestroy() {
    return false;
}

unsigned Window::getClassStyle() const {
    return 0;
}

unsigned Window::getExStyle() const {
    return 0;
}

int Window::getId() const {
    return 0;
}

std::wstring Window::getSuperclassName() const {
    return std::wstring();
}

LRESULT Window::callSuperclassProc(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!isConstMessage(message)) {
        err::throwInvalidArgument("ui::Window::callSuperclassProc", "isConstMessage(message)");
    }
    if (superclassProc_ == nullptr) {
        err::throwInvalidState("ui::Window::callSuperclassProc", "superclassProc != 0");
    }
    return CallWindowProcW(superclassProc_, hwnd_, message, wParam, lParam);
}

LRESULT Window::callSuperclassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (superclassProc_ == nullptr) {
        err::throwInvalidState("ui::Window::callSuperclassProc", "superclassProc != 0");
    }
    return CallWindowProcW(superclassProc_, hwnd_, message, wParam, lParam);
}

void Window::afterCreate() {}

void Window::create() {
    if (isAttached()) {
        err::throwInvalidState("ui::Window::create", "!isAttached()");
    }
    const std::wstring name = getClassName();
    const std::wstring base = getSuperclassName();
    WindowClass::registerClass(name, getClassStyle(), initialWndProc, base);
    if (!base.empty()) {
        setSuperclass(base);
    }
    HWND hwnd = CreateWindowExW(
        getExStyle(), name.c_str(), L"", getStyle(), CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        getParentHandle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(getId())), GetModuleHandleW(nullptr), this);
    if (IsWindow(hwnd) != TRUE) {
        throw err::SystemException(err::postconditionMessage("ui::Window::create", "::IsWindow(hwnd) == 1"));
    }
    afterCreate();
}

void Window::destroy() {
    if (!isAttached()) {
        err::throwInvalidState("ui::Window::destroy", "isAttached()");
    }
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

bool Window::isAttached() const {
    return hwnd_ != nullptr && IsWindow(hwnd_) == TRUE;
}

void Window::setSuperclass(const std::wstring& name) {
    superclassProc_ = WindowClass::getByName(name).lpfnWndProc;
    if (superclassProc_ == nullptr) {
        throw err::RuntimeException(err::postconditionMessage("ui::Window::setSuperclass", "superclassProc!=0"));
    }
}

bool Window::isConstMessage(UINT message) {
    switch (message) {
    case WM_SETREDRAW:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_PAINT:
    case WM_GETICON:
    case WM_NCPAINT:
    case EM_GETSEL:
    case EM_GETLINECOUNT:
    case EM_LINEFROMCHAR:
    case EM_GETFIRSTVISIBLELINE:
    case EM_POSFROMCHAR:
    case EM_CHARFROMPOS:
    case WM_SYSCOMMAND:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case 0x0402:
    case 0x045F:
        return true;
    default:
        return false;
    }
}

}  // namespace ui
