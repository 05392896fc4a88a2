#pragma once

#include "app/CaptureServices.hpp"
#include "app/CaptureSource.hpp"
#include "app/GrabbedData.hpp"

#include <functional>

namespace app {

// One capture at a time, as a state machine driven by three events: the clip hot key, a
// clipboard change and the timer. Nothing waits: every pause is a timer step, so the
// window thread keeps dispatching while the target copies.
class CaptureMachine {
public:
    enum class Phase {
        Idle,
        Preparing,        // the target is in front; waiting for the hot key's modifiers to come up
        WaitingForText,   // the copy keys are sent; the time-out runs
        ReadingText,      // the clipboard changed but holds no text yet
        ReadingHtml,      // the text is in; the browser's HTML data may follow
        FocusingAddress,  // the address bar is being focused before the second copy
        WaitingForLink,   // the address copy keys are sent; the time-out runs
        ReadingLink,      // the clipboard changed but holds no text yet
        Restoring,        // the clipboard is busy; putting the old contents back is retried
        Guarding,         // delivered without an answer in time: a late copy by the target is undone
    };
    enum class StartResult { Started, Busy, NoTarget, ClipboardBusy, AttachFailed };

    static constexpr int timeout = 1000;          // ms for the target to copy, after the keys
    static constexpr int preparePoll = 20;        // ms between looks at the modifier keys
    static constexpr int preparePatience = 1000;  // ms the user has to let go of them
    static constexpr int readInterval = 50;       // ms between reads of a late clipboard
    static constexpr int textReads = 50;
    static constexpr int htmlReads = 50;
    static constexpr int linkReads = 10;
    static constexpr int focusDelay = 100;  // ms between focusing the address bar and copying it
    static constexpr int restoreInterval = 100;
    static constexpr int restoreAttempts = 10;
    static constexpr int guardTime = 2000;  // ms a late copy by the target is still undone
    static constexpr std::size_t maxLinkLength = 2048;

    using Delivery = std::function<void(const GrabbedData&)>;

    // `hotkeyModifiers` answers the modifiers of the clip hot key now in use.
    CaptureMachine(CaptureServices services, std::function<unsigned()> hotkeyModifiers, Delivery delivery);

    // The clip hot key was pressed. A press while a capture runs is ignored.
    StartResult start();
    void onClipboardChange();
    void onTimer();
    // Ends a capture in progress without delivering it, the clipboard put back; after a
    // delivery only stops watching for a late copy.
    void cancel();

    Phase phase() const { return phase_; }
    const GrabbedData& data() const { return data_; }

private:
    void sendCopyKeys();
    void takeText(std::wstring text);
    void readHtml();
    void detectLink();
    void takeLink(const std::wstring& text);
    void finish();
    void restoreClipboard();
    void deliver();
    void startGuard();
    void endGuard();
    void waitFor(Phase phase, int milliseconds);

    CaptureServices sys_;
    std::function<unsigned()> hotkeyModifiers_;
    Delivery delivery_;
    Phase phase_ = Phase::Idle;
    GrabbedData data_;
    TargetKind kind_ = TargetKind::Other;
    int steps_ = 0;          // polls, reads or attempts made in the current phase
    bool timedOut_ = false;  // a phase ended without the target's answer
};

}  // namespace app
