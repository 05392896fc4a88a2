#include "ui/ApplicationBase.hpp"

#include "app/StartUp.hpp"
#include "err/Exceptions.hpp"

#include <commctrl.h>

namespace ui {

namespace {

void bringForward(HWND window) {
    // Restoring first: a window hidden in the tray is minimised and hidden, and only a
    // shown window can take the foreground.
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
}

}  // namespace

ApplicationBase::ApplicationBase() : mutexName_(L"Oskel.ApplicationMutex") {}

ApplicationBase::~ApplicationBase() {
    if (isAttached()) {
        destroy();
    }
    releaseMutex();
}

std::wstring ApplicationBase::getClassName() const {
    return L"Oskel.Application";
}

bool ApplicationBase::onCreate(CREATESTRUCT*) {
    InitCommonControls();
    return false;
}

bool ApplicationBase::ensureSingleInstance(const std::wstring& mainWindowClass) {
    // Creating and checking in one call: two starts at the same moment cannot both win.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, mutexName_.c_str());
    if (mutex == nullptr) {
        throw err::SystemException("Can't create the single-instance mutex");
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        mutex_ = mutex;
        return true;
    }
    CloseHandle(mutex);
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowW(mainWindowClass.c_str(), nullptr);
        switch (app::handOffStep(window != nullptr, GetTickCount() - start)) {
        case app::HandOff::bringForward:
            bringForward(window);
            return false;
        case app::HandOff::keepLooking:
            Sleep(app::handOffPollInterval);
            break;
        case app::HandOff::giveUp:
            throw err::RuntimeException("Mutex is present but can't find main window");
        }
    }
}

int ApplicationBase::run(int showCommand) {
    init(showCommand);
    switch (loop_.run()) {
    case ModalLoop::Ending::failed:
        return -1;
    case ModalLoop::Ending::quit:
        return loop_.getQuitCode();
    case ModalLoop::Ending::done:
        break;
    }
    return 0;
}

void ApplicationBase::releaseMutex() {
    if (mutex_ != nullptr) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}

}  // namespace ui
