#include "ui/WindowClass.hpp"

#include "err/Exceptions.hpp"
#include "sys/platform/Platform.hpp"

namespace ui {

WindowClass::WindowClass(const std::wstring& className, unsigned classStyle, WNDPROC proc)
    : record_(), name_(className) {
    if (className.empty()) {
        err::throwInvalidArgument("ui::WindowClass::WindowClass", "!className.empty()");
    }
    if (proc == nullptr) {
        err::throwInvalidArgument("ui::WindowClass::WindowClass", "proc != 0");
    }
    record_.style = classStyle;
    record_.lpfnWndProc = proc;
    record_.hInstance = GetModuleHandleW(nullptr);
    record_.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    record_.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    record_.lpszClassName = name_.c_str();
}

WindowClass::WindowClass(const WNDCLASSW& record, const std::wstring& className) : record_(record), name_(className) {
    record_.lpszClassName = name_.c_str();
}

WindowClass::WindowClass(const WindowClass& other) : record_(other.record_), name_(other.name_) {
    record_.lpszClassName = name_.c_str();
}

WindowClass& WindowClass::operator=(const WindowClass& other) {
    record_ = other.record_;
    name_ = other.name_;
    record_.lpszClassName = name_.c_str();
    return *this;
}

WindowClass WindowClass::subclass(const std::wstring& className, const std::wstring& existingClassName,
                                  unsigned classStyle, WNDPROC proc) {
    if (className.empty()) {
        err::throwInvalidArgument("ui::WindowClass::subclass", "!className.empty()");
    }
    if (proc == nullptr) {
        err::throwInvalidArgument("ui::WindowClass::subclass", "proc != 0");
    }
    WNDCLASSW record = getByName(existingClassName);
    record.hInstance = GetModuleHandleW(nullptr);
    record.lpfnWndProc = proc;
    record.style = classStyle;
    record.hbrBackground = nullptr;
    record.lpszMenuName = nullptr;
    return WindowClass(record, className);
}

void WindowClass::registerClass() {
    if (isRegistered(name_)) {
        err::throwInvalidState("ui::WindowClass::registerClass", "!WindowClass::isRegistered(name)");
    }
    record_.lpszClassName = name_.c_str();
    if (RegisterClassW(&record_) == 0) {
        throw err::SystemException("Can't register window class.");
    }
}

bool WindowClass::isRegistered(const std::wstring& className) {
    if (className.empty()) {
        err::throwInvalidArgument("ui::WindowClass::isRegistered", "!className.empty()");
    }
    WNDCLASSW record;
    return GetClassInfoW(GetModuleHandleW(nullptr), className.c_str(), &record) != 0;
}

WNDCLASSW WindowClass::getByName(const std::wstring& className) {
    if (className.empty()) {
        err::throwInvalidArgument("ui::WindowClass::getByName", "!className.empty()");
    }
    WNDCLASSW record{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), className.c_str(), &record) != 0) {
        return record;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_CLASS_DOES_NOT_EXIST) {
        throw err::InvalidArgumentException("Window class not found: " + sys::platform::narrow(className) + ".");
    }
    throw err::SystemException("Error retrieving window class: " + sys::platform::narrow(className) + ".", error);
}

std::wstring WindowClass::getNameByHwnd(HWND hwnd) {
    if (hwnd == nullptr) {
        err::throwInvalidArgument("ui::WindowClass::getNameByHwnd", "hwnd != 0");
    }
    wchar_t name[25] = {};
    const int length = GetClassNameW(hwnd, name, 25);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

void WindowClass::registerClass(const std::wstring& className, unsigned classStyle, WNDPROC proc,
                                const std::wstring& superclassName) {
    if (className.empty()) {
        err::throwInvalidArgument("ui::WindowClass::registerClass", "!className.empty()");
    }
    if (isRegistered(className)) {
        return;
    }
    WindowClass windowClass = superclassName.empty() ? WindowClass(className, classStyle, proc)
                                                     : subclass(className, superclassName, classStyle, proc);
    windowClass.registerClass();
    if (!isRegistered(className)) {
        throw err::RuntimeException(
            err::postconditionMessage("ui::WindowClass::registerClass", "WindowClass::isRegistered(className)"));
    }
}

}  // namespace ui
