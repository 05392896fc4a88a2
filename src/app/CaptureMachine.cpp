#include "app/CaptureMachine.hpp"

#include "sys/platform/Platform.hpp"

#include <utility>

namespace app {

using sys::platform::trimmed;

CaptureMachine::CaptureMachine(CaptureServices services, std::function<unsigned()> hotkeyModifiers, Delivery delivery)
    : sys_(services), hotkeyModifiers_(std::move(hotkeyModifiers)), delivery_(std::move(delivery)) {}

void CaptureMachine::waitFor(Phase phase, int milliseconds) {
    phase_ = phase;
    sys_.timer.start(milliseconds);
}

// The target is noted and brought to the front at once; the keys go out only once the user
// has let go of the hot key's modifiers, which would otherwise turn Ctrl+C into another
// combination (see onTimer).
CaptureMachine::StartResult CaptureMachine::start() {
    if (phase_ == Phase::Guarding) {
        // The user has moved on to the next capture.
        endGuard();
    }
    if (phase_ != Phase::Idle) {
        return StartResult::Busy;
    }
    const WindowHandle target = sys_.windows.foregroundWindow();
    if (target == nullptr || sys_.windows.isOwnWindow(target)) {
        return StartResult::NoTarget;
    }
    if (!sys_.clipboard.snapshot()) {
        // Copying now would cost the user what they had copied.
        return StartResult::ClipboardBusy;
    }
    data_ = GrabbedData();
    timedOut_ = false;
    data_.targetWindow = target;
    data_.windowTitle = sys_.windows.title(target);
    data_.moduleName = sys_.windows.moduleName(target);
    kind_ = classifyTarget(data_.moduleName, sys_.windows.className(target), data_.windowTitle);
    const bool attached = sys_.input.withAttachedInput(target, [this, target] {
        data_.focusWindow = sys_.input.focusWindow();
        sys_.input.bringToFront(target);
    });
    if (!attached) {
        // An elevated or hung target refuses: nothing was sent, nothing is delivered.
        cancel();
        return StartResult::AttachFailed;
    }
    steps_ = 0;
    waitFor(Phase::Preparing, preparePoll);
    return StartResult::Started;
}

void CaptureMachine::sendCopyKeys() {
    sys_.clipboard.watch(true);
    const unsigned modifiers = hotkeyModifiers_ ? hotkeyModifiers_() : 0;
    const bool attached = sys_.input.withAttachedInput(data_.targetWindow, [this, modifiers] {
        sys_.input.releaseModifiers(modifiers);
        sys_.input.bringToFront(data_.targetWindow);
        sys_.input.send(kind_ == TargetKind::Console ? CaptureKeys::ConsoleCopy : CaptureKeys::Copy);
    });
    if (!attached) {
        cancel();
        return;
    }
    // The time-out counts from the keys, not from the press: the wait for the modifiers
    // must not eat the target's time to copy.
    waitFor(Phase::WaitingForText, timeout);
}

void CaptureMachine::onClipboardChange() {
    switch (phase_) {
    case Phase::WaitingForText: {
        sys_.timer.stop();
        steps_ = 1;
        std::optional<std::wstring> text = sys_.clipboard.readText();
        if (text && !text->empty()) {
            takeText(std::move(*text));
        } else {
            waitFor(Phase::ReadingText, readInterval);
        }
        break;
    }
    case Phase::WaitingForLink: {
        sys_.timer.stop();
        steps_ = 1;
        std::optional<std::wstring> text = sys_.clipboard.readText();
        if (text && !text->empty()) {
            takeLink(*text);
        } else {
            waitFor(Phase::ReadingLink, readInterval);
        }
        break;
    }
    case Phase::Guarding:
        // The first change after the delivery decides: a late copy by the target is undone
        // once; anything else (the user copying elsewhere) is left as it is.
        endGuard();
        if (sys_.clipboard.ownedByProcessOf(data_.targetWindow)) {
            sys_.clipboard.restore();
        }
        break;
    default:
        // Changes outside a wait (the program's own reads and restores, late copies) are not
        // the target's answer.
        break;
    }
}

void CaptureMachine::onTimer() {
    sys_.timer.stop();
    switch (phase_) {
    case Phase::Preparing:
        ++steps_;
        if (sys_.input.readyForKeys(data_.targetWindow, hotkeyModifiers_ ? hotkeyModifiers_() : 0)
            || steps_ * preparePoll >= preparePatience) {
            sendCopyKeys();
        } else {
            waitFor(Phase::Preparing, preparePoll);
        }
        break;
    case Phase::WaitingForText:
    case Phase::WaitingForLink:
        timedOut_ = true;
        finish();
        break;
    case Phase::ReadingText: {
        ++steps_;
        std::optional<std::wstring> text = sys_.clipboard.readText();
        if (text && !text->empty()) {
            takeText(std::move(*text));
        } else if (steps_ >= textReads) {
            finish();
        } else {
            waitFor(Phase::ReadingText, readInterval);
        }
        break;
    }
    case Phase::ReadingHtml:
        ++steps_;
        readHtml();
        break;
    case Phase::FocusingAddress: {
        const bool attached = sys_.input.withAttachedInput(data_.targetWindow, [this] {
            sys_.input.bringToFront(data_.targetWindow);
            sys_.input.send(CaptureKeys::Copy);
        });
        if (attached) {
            waitFor(Phase::WaitingForLink, timeout);
        } else {
            finish();
        }
        break;
    }
    case Phase::ReadingLink: {
        ++steps_;
        std::optional<std::wstring> text = sys_.clipboard.readText();
        if (text && !text->empty()) {
            takeLink(*text);
        } else if (steps_ >= linkReads) {
            finish();
        } else {
            waitFor(Phase::ReadingLink, readInterval);
        }
        break;
    }
    case Phase::Restoring:
        restoreClipboard();
        break;
    case Phase::Guarding:
        endGuard();
        break;
    case Phase::Idle:
        break;
    }
}

void CaptureMachine::takeText(std::wstring text) {
    data_.text = std::move(text);
    steps_ = 1;
    phase_ = Phase::ReadingHtml;
    readHtml();
}

// The "SourceURL:" of the HTML data wins; the browser's own ways are tried only without it.
void CaptureMachine::readHtml() {
    if (!sys_.clipboard.hasHtml()) {
        detectLink();
        return;
    }
    const std::string html = sys_.clipboard.readHtml();
    if (html.empty() && htmlMayLag(kind_) && steps_ < htmlReads) {
        waitFor(Phase::ReadingHtml, readInterval);
        return;
    }
    data_.link = extractSourceUrl(html);
    if (data_.link.empty()) {
        detectLink();
    } else {
        finish();
    }
}

void CaptureMachine::detectLink() {
    switch (linkMethodFor(kind_)) {
    case LinkMethod::ReadAddressBar:
        data_.link = sys_.windows.addressBarText(data_.targetWindow);
        finish();
        break;
    case LinkMethod::CopyAddressBar: {
        const bool attached = sys_.input.withAttachedInput(data_.targetWindow, [this] {
            sys_.input.bringToFront(data_.targetWindow);
            sys_.input.send(CaptureKeys::FocusAddress);
        });
        if (attached) {
            waitFor(Phase::FocusingAddress, focusDelay);
        } else {
            finish();
        }
        break;
    }
    case LinkMethod::None:
        finish();
        break;
    }
}

// Whatever the clipboard holds now is taken for the address only when it looks like one:
// a single line of bounded length that is not the selection itself (the browser copied
// nothing new, or the focus never reached its address bar).
void CaptureMachine::takeLink(const std::wstring& text) {
    const std::wstring link = trimmed(text);
    const bool oneLine = link.find_first_of(L"\r\n") == std::wstring::npos;
    if (!link.empty() && oneLine && link.size() <= maxLinkLength && text != data_.text && link != trimmed(data_.text)) {
        data_.link = link;
    }
    finish();
}

void CaptureMachine::finish() {
    sys_.timer.stop();
    sys_.clipboard.watch(false);
    steps_ = 0;
    restoreClipboard();
}

// Another program may hold the clipboard open for a while (history tools read every
// change); the user's contents are worth a few more attempts.
void CaptureMachine::restoreClipboard() {
    ++steps_;
    if (!sys_.clipboard.restore() && steps_ < restoreAttempts) {
        waitFor(Phase::Restoring, restoreInterval);
        return;
    }
    deliver();
}

void CaptureMachine::deliver() {
    const FocusRestore focus = focusRestoreFor(kind_);
    if (focus != FocusRestore::None) {
        // The record is worth more than the focus: a refused attachment only skips this.
        sys_.input.withAttachedInput(data_.targetWindow, [this, focus] {
            if (focus == FocusRestore::PressF9) {
                sys_.input.send(CaptureKeys::F9);
            } else if (data_.focusWindow != nullptr) {
                sys_.input.setFocus(data_.focusWindow);
            }
        });
    }
    phase_ = Phase::Idle;
    if (timedOut_ || data_.text.empty()) {
        // Set up before the delivery, which may open a dialog for a while.
        startGuard();
    }
    GrabbedData delivered = data_;
    if (delivery_) {
        delivery_(delivered);
    }
}

// A target that copies after the time-out would overwrite the clipboard just put back.
void CaptureMachine::startGuard() {
    try {
        sys_.clipboard.watch(true);
    } catch (...) {
        // The record is worth more than the guard.
        return;
    }
    waitFor(Phase::Guarding, guardTime);
}

void CaptureMachine::endGuard() {
    sys_.timer.stop();
    sys_.clipboard.watch(false);
    phase_ = Phase::Idle;
}

void CaptureMachine::cancel() {
    if (phase_ == Phase::Guarding) {
        endGuard();
        return;
    }
    sys_.timer.stop();
    sys_.clipboard.watch(false);
    sys_.clipboard.restore();
    phase_ = Phase::Idle;
}

}  // namespace app
