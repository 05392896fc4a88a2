#pragma once

#include "ui/MessageInterceptor.hpp"

#include <boost/signals2/signal.hpp>

#include <windows.h>

namespace ui {
class Window;
}

namespace ui::clip {

// Tells when the clipboard's contents change, through the system's format listener list
// (no viewer chain to keep intact). Installed on its window; quiet until connected.
class ClipboardViewer : public MessageInterceptor {
public:
    explicit ClipboardViewer(Window& window);
    ~ClipboardViewer() override;

    // Precondition: not connected (err::InvalidStateException). Throws err::SystemException
    // when the system does not take the window as a listener.
    void connect();
    // Precondition: connected (err::InvalidStateException).
    void disconnect();
    bool isConnected() const { return connected_; }

    bool intercept(const MSG& msg, LRESULT& result) override;

    // Emitted once for each change made after connect(); a notification that was queued
    // before (or that repeats a change already told) is not a change.
    boost::signals2::signal<void()> changed;

private:
    Window& window_;
    bool connected_ = false;
    DWORD sequence_ = 0;
};

}  // namespace ui::clip
