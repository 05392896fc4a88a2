#include "ui/clip/Clipboard.hpp"

#include "ui/controls/WindowText.hpp"

#include <cstring>
#include <cwchar>

namespace ui::clip {

namespace {

constexpr DWORD openRetryInterval = 20;

}  // namespace

ClipboardLock::ClipboardLock(HWND owner, DWORD patience) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (OpenClipboard(owner)) {
            open_ = true;
            return;
        }
        if (GetTickCount() - start >= patience) {
            return;
        }
        Sleep(openRetryInterval);
    }
}

ClipboardLock::~ClipboardLock() {
    if (open_) {
        CloseClipboard();
    }
}

std::optional<std::wstring> readUnicodeText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        return std::nullopt;
    }
    ClipboardLock lock(owner);
    if (!lock.isOpen()) {
        return std::nullopt;
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        return std::nullopt;
    }
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
    if (chars == nullptr) {
        return std::nullopt;
    }
    const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    const std::size_t length = wcsnlen(chars, capacity);
    std::wstring text(chars, length);
    GlobalUnlock(data);
    return text;
}

std::string readFormatBytes(HWND owner, UINT format) {
    if (format == 0 || !IsClipboardFormatAvailable(format)) {
        return std::string();
    }
    ClipboardLock lock(owner);
    if (!lock.isOpen()) {
        return std::string();
    }
    HANDLE data = GetClipboardData(format);
    const SIZE_T size = data != nullptr ? GlobalSize(data) : 0;
    const void* bytes = size != 0 ? GlobalLock(data) : nullptr;
    if (bytes == nullptr) {
        return std::string();
    }
    std::string copy(static_cast<const char*>(bytes), size);
    GlobalUnlock(data);
    return copy;
}

UINT htmlFormat() {
    static const UINT id = RegisterClipboardFormatW(L"HTML Format");
    return id;
}

bool putData(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
    if (block == nullptr) {
        return false;
    }
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return false;
    }
    if (size != 0) {
        std::memcpy(target, bytes, size);
    }
    GlobalUnlock(block);
    if (SetClipboardData(format, block) == nullptr) {
        // The system takes the block only when SetClipboardData succeeds.
        GlobalFree(block);
        return false;
    }
    return true;
}

bool writeUnicodeText(HWND owner, const std::wstring& text) {
    ClipboardLock lock(owner);
    return lock.isOpen() && EmptyClipboard()
           && putData(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

std::wstring ownerWindowTitle() {
    HWND owner = GetClipboardOwner();
    if (owner == nullptr) {
        return std::wstring();
    }
    HWND topLevel = GetAncestor(owner, GA_ROOTOWNER);
    return controls::getWindowText(topLevel != nullptr ? topLevel : owner);
}

}  // namespace ui::clip
