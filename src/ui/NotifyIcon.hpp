#pragma once

#include "gdi/Icon.hpp"
#include "sys/timers/Timer.hpp"
#include "ui/MessageInterceptor.hpp"

#include <boost/signals2/signal.hpp>

#include <windows.h>

// Needs windows.h first.
#include <shellapi.h>

#include <string>

namespace ui {

class Window;

namespace menu {
class Popup;
}

// The program's icon in the notification area of the task bar, installed on the window
// that receives its mouse messages. It puts itself back whenever the shell starts anew.
class NotifyIcon : public MessageInterceptor {
public:
    // The message the shell sends to the owner for the icon's mouse events.
    static constexpr UINT callbackMessage = WM_USER + 103;

    // `iconResource` is an icon resource of the executable. The icon is not shown until add().
    NotifyIcon(Window& owner, int id, int iconResource, std::wstring tooltip);
    ~NotifyIcon() override;

    // Shown at the cursor when the icon is clicked with the right button; not owned.
    void setMenu(menu::Popup* menu);

    // Answers whether the shell shows the icon now. Until remove(), a failed add is
    // tried again when the shell announces that it started.
    bool add();
    void remove();
    bool isAdded() const { return added_; }

    // A balloon by the icon, removed after `timeoutMs` even where the shell would keep it
    // longer. Without the icon there is no balloon.
    void showBalloon(const std::wstring& title, const std::wstring& text, int timeoutMs);
    // From a shown balloon until its time-out took it away.
    bool isBalloonShown() const { return balloonTimer_.isRunning(); }

    bool intercept(const MSG& msg, LRESULT& result) override;

    // The message the shell broadcasts when the task bar is created.
    static UINT taskbarCreatedMessage();

    boost::signals2::signal<void()> leftClicked;
    boost::signals2::signal<void()> balloonClicked;

private:
    NOTIFYICONDATAW record(UINT flags) const;
    void onCallback(UINT mouseMessage);
    void showMenu();
    void removeBalloon();

    Window& owner_;
    const int id_;
    gdi::Icon icon_;
    std::wstring tooltip_;
    menu::Popup* menu_ = nullptr;
    bool added_ = false;
    bool wanted_ = false;
    sys::timers::Timer balloonTimer_;
};

}  // namespace ui
