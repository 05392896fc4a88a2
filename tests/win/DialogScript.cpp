#include "DialogScript.hpp"

#include "ControlHost.hpp"
#include "ScreenCapture.hpp"
#include "WinTestSupport.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace testing_support {

DialogOwner::DialogOwner(std::wstring className) : TestTopWindow(std::move(className)) {
    create();
    MoveWindow(getHandle(), 150, 100, 700, 500, FALSE);
    show(SW_SHOW);
}

namespace {

constexpr UINT tickMs = 30;
// About three seconds for a step's wait, and for the dialog to close after the last step.
constexpr int maxIdleTicks = 100;

DialogScript* running = nullptr;

LPARAM keyParam(UINT key, bool up) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    return up ? (1 | scan | (1 << 30) | (static_cast<LPARAM>(1) << 31)) : (1 | scan);
}

void setControlState(bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = down ? 0x80 : 0;
    state[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

}  // namespace

DialogScript::DialogScript(std::vector<Step> steps, std::wstring dialogClass)
    : steps_(std::move(steps)), dialogClass_(std::move(dialogClass)) {
    running = this;
    timer_ = SetTimer(nullptr, 0, tickMs, &DialogScript::tick);
}

DialogScript::~DialogScript() {
    KillTimer(nullptr, timer_);
    running = nullptr;
    releaseControl();
}

void CALLBACK DialogScript::tick(HWND, UINT, UINT_PTR id, DWORD) {
    if (running != nullptr && running->timer_ == id) {
        running->step();
    }
}

void DialogScript::step() {
    // A step can open a nested loop (a message box) in which the timer keeps ticking.
    if (busy_) {
        return;
    }
    busy_ = true;
    if (!finished()) {
        if (steps_[next_]()) {
            ++next_;
            idleTicks_ = 0;
        } else if (++idleTicks_ >= maxIdleTicks) {
            ADD_FAILURE() << "step " << next_ << " waited in vain";
            ++next_;
            idleTicks_ = 0;
        }
    } else if (++idleTicks_ >= maxIdleTicks) {
        for (HWND open : visibleThreadWindows(GetCurrentThreadId(), dialogClass_)) {
            ADD_FAILURE() << "the dialog was still open after the script";
            DestroyWindow(open);
        }
        idleTicks_ = 0;
    }
    busy_ = false;
}

DialogScript::Step act(std::function<void()> action) {
    return [action = std::move(action)] {
        action();
        return true;
    };
}

DialogScript::Step savePicture(const ui::Window& window, std::wstring file, COLORREF& top, COLORREF& bottom) {
    return [&window, file = std::move(file), &top, &bottom] {
        const HWND dialog = window.getHandle();
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const ScreenCapture shot(windowRect(dialog));
        EXPECT_TRUE(shot.savePng(file));
        RECT client;
        GetClientRect(dialog, &client);
        POINT corners[] = {{3, 3}, {3, client.bottom - 3}};
        MapWindowPoints(dialog, HWND_DESKTOP, corners, 2);
        top = shot.pixel(corners[0].x, corners[0].y);
        bottom = shot.pixel(corners[1].x, corners[1].y);
        return true;
    };
}

void postKey(UINT key) {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, keyParam(key, false));
    PostMessageW(focus, WM_KEYUP, key, keyParam(key, true));
}

void postCharacters(const std::wstring& text) {
    const HWND focus = GetFocus();
    for (wchar_t c : text) {
        PostMessageW(focus, WM_CHAR, c, 1);
    }
}

void pressWithControl(UINT key) {
    setControlState(true);
    PostMessageW(GetFocus(), WM_KEYDOWN, key, keyParam(key, false));
}

void releaseControl() {
    setControlState(false);
}

}  // namespace testing_support
