#pragma once

#include <windows.h>

#include <string>

namespace ui {

// A window class record of this module, either new or copied from an existing (system)
// class with a new name and procedure.
class WindowClass {
public:
    WindowClass(const std::wstring& className, unsigned classStyle, WNDPROC proc);

    // The record points at the copy's own name.
    WindowClass(const WindowClass& other);
    WindowClass& operator=(const WindowClass& other);

    static WindowClass subclass(const std::wstring& className, const std::wstring& existingClassName,
                                unsigned classStyle, WNDPROC proc);

    void registerClass();

    const WNDCLASSW& getRecord() const { return record_; }
    const std::wstring& getName() const { return name_; }

    static bool isRegistered(const std::wstring& className);
    static WNDCLASSW getByName(const std::wstring& className);
    static std::wstring getNameByHwnd(HWND hwnd);
    // Registers the class once per process; later calls with the same name do nothing.
    static void registerClass(const std::wstring& className, unsigned classStyle, WNDPROC proc,
                              const std::wstring& superclassName);

private:
    explicit WindowClass(const WNDCLASSW& record, const std::wstring& className);

    WNDCLASSW record_;
    std::wstring name_;
};

}  // namespace ui
