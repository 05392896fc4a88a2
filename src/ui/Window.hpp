#pragma once

#include "ui/MessageTarget.hpp"

#include <windows.h>

#include <string>

namespace ui {

// Nothing unwinds out of these: handlers' exceptions are reported where they are caught.
LRESULT CALLBACK wndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK initialWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// One window handle wrapped in an object. The object exists before its window is created
// and after it is destroyed; every message of the window reaches the object's handlers.
class Window : public MessageTarget {
public:
    Window();
    virtual ~Window() = 0;

    virtual bool handleMessage(const MSG& msg, LRESULT& result);
    virtual void setEnabled(bool enabled);
    virtual HWND getParentHandle() const = 0;
    virtual std::wstring getClassName() const = 0;
    virtual unsigned getStyle() const = 0;
    virtual bool onCreate(CREATESTRUCT* createStruct);
    virtual bool onDestroy();
    virtual bool onNcCreate(CREATESTRUCT* createStruct);
    virtual bool onNcDestroy();
    virtual unsigned getClassStyle() const;
    virtual unsigned getExStyle() const;
    // The menu handle or the child id passed at creation.
    virtual int getId() const;
    virtual std::wstring getSuperclassName() const;
    virtual LRESULT callSuperclassProc(UINT message, WPARAM wParam, LPARAM lParam) const;
    virtual LRESULT callSuperclassProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void afterCreate();

    void create();
    void destroy();
    bool isAttached() const;
    HWND getHandle() const { return hwnd_; }

    // Messages that only read the window's state.
    static bool isConstMessage(UINT message);

protected:
    void setSuperclass(const std::wstring& name);

private:
    friend LRESULT CALLBACK wndProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    friend LRESULT CALLBACK initialWndProc(HWND, UINT, WPARAM, LPARAM) noexcept;

    LRESULT dispatch(const MSG& msg) noexcept;

    WNDPROC superclassProc_ = nullptr;
    HWND hwnd_ = nullptr;
};

// The window object bound to a handle, or null when the handle belongs to no window of
// this toolkit.
Window* findWindow(HWND hwnd);

}  // namespace ui
