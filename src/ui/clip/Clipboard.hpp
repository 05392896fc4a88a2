#pragma once
#include <windows.h>
#include <optional>
#include <string>

namespace ui::clip {

// The clipboard, open for the life of the object. Another program may hold it for a moment:
// opening is retried for about a second before it gives up (isOpen() then answers false).
class ClipboardLock {
public:
    explicit ClipboardLock(HWND owner);
    ~ClipboardLock();
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool isOpen() const { return open_; }

private:
    bool open_ = false;
};

// The clipboard's Unicode text, read no further than its memory block (a text without its
// terminating zero ends with the block); nothing when there is none or the clipboard
// cannot be opened.
std::optional<std::wstring> readUnicodeText(HWND owner);
// Replaces the clipboard's contents with the text; answers whether it is there.
bool writeUnicodeText(HWND owner, const std::wstring& text);
// The title of the top-level window that owns the clipboard's data; empty when there is
// no owner or it has no title.
std::wstring ownerWindowTitle();

}  // namespace ui::clip
