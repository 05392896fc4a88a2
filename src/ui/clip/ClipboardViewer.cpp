#include "ui/clip/ClipboardViewer.hpp"

#include "err/Exceptions.hpp"
#include "ui/Window.hpp"

namespace ui::clip {

ClipboardViewer::ClipboardViewer(Window& window) : window_(window) {
    install(&window);
}

ClipboardViewer::~ClipboardViewer() {
    if (connected_) {
        RemoveClipboardFormatListener(window_.getHandle());
    }
}

void ClipboardViewer::connect() {
    if (connected_) {
        err::throwInvalidState("ui::clip::ClipboardViewer::connect", "!connected");
    }
    if (!AddClipboardFormatListener(window_.getHandle())) {
        throw err::SystemException("Can't watch the clipboard");
    }
    // WM_CLIPBOARDUPDATE is posted: one for an earlier change may still be queued.
    sequence_ = GetClipboardSequenceNumber();
    connected_ = true;
}

void ClipboardViewer::disconnect() {
    if (!connected_) {
        err::throwInvalidState("ui::clip::ClipboardViewer::disconnect", "connected");
    }
    RemoveClipboardFormatListener(window_.getHandle());
    connected_ = false;
}

bool ClipboardViewer::intercept(const MSG& msg, LRESULT& result) {
    if (msg.message != WM_CLIPBOARDUPDATE || !connected_) {
        return false;
    }
    result = 0;
    const DWORD sequence = GetClipboardSequenceNumber();
    if (sequence != sequence_) {
        sequence_ = sequence;
        changed();
    }
    return true;
}

}  // namespace ui::clip
