#pragma once
#include <windows.h>
#include <optional>
#include <string>

namespace ui::clip {

// The clipboard, open for the life of the object. Another program may hold it for a moment:
// opening is retried for `patience` milliseconds (about a second by default) before it gives
// up (isOpen() then answers false); with 0 it is tried once.
class ClipboardLock {
public:
    static constexpr DWORD defaultPatience = 1000;
    explicit ClipboardLock(HWND owner, DWORD patience = defaultPatience);
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
// The raw bytes of one format's memory block, all of them (the caller bounds any text by the
// size); empty when the format is absent, is no memory block, or the clipboard cannot be opened.
std::string readFormatBytes(HWND owner, UINT format);
// The id of the "HTML Format" clipboard format, registered on first use.
UINT htmlFormat();
// With the clipboard open: puts a copy of the bytes on it under the format. A block the system
// does not take is freed. Answers whether the data is there.
bool putData(UINT format, const void* bytes, std::size_t size);
// Replaces the clipboard's contents with the text; answers whether it is there.
bool writeUnicodeText(HWND owner, const std::wstring& text);
// The title of the top-level window that owns the clipboard's data; empty when there is
// no owner or it has no title.
std::wstring ownerWindowTitle();

}  // namespace ui::clip
