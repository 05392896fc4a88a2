#include "ui/clip/ClipboardSnapshot.hpp"

#include "ui/clip/Clipboard.hpp"

#include <cstring>

namespace ui::clip {

namespace {

// Formats whose data is a handle the system cannot copy as memory.
bool isHandleFormat(UINT format) {
    switch (format) {
    case CF_BITMAP:
    case CF_PALETTE:
    case CF_METAFILEPICT:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
    case CF_OWNERDISPLAY:
        return true;
    default:
        return (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST)
               || (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
    }
}

// Clipboard history (Windows 10 and later) and monitoring tools skip data that carries
// these formats.
void markAsNotNew() {
    static const UINT exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    static const UINT history = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    static const UINT cloud = RegisterClipboardFormatW(L"CanUploadToCloudClipboard");
    const DWORD no = 0;
    for (UINT format : {exclude, history, cloud}) {
        if (format != 0) {
            putData(format, &no, sizeof no);
        }
    }
}

}  // namespace

ClipboardSnapshot ClipboardSnapshot::take(HWND owner) {
    ClipboardSnapshot snapshot;
    ClipboardLock lock(owner);
    if (!lock.isOpen()) {
        return snapshot;
    }
    snapshot.taken_ = true;
    std::size_t total = 0;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        if (isHandleFormat(format)) {
            continue;
        }
        HANDLE data = GetClipboardData(format);
        if (data == nullptr) {
            continue;
        }
        Item item{format, format == CF_ENHMETAFILE, std::string()};
        if (item.enhancedMetafile) {
            auto metafile = static_cast<HENHMETAFILE>(data);
            const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
            if (size == 0 || total + size > sizeCap) {
                continue;
            }
            item.bytes.resize(size);
            if (GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(&item.bytes[0])) != size) {
                continue;
            }
        } else {
            const SIZE_T size = GlobalSize(data);
            if (size == 0 || total + size > sizeCap) {
                continue;  // not a memory block, or too large to keep
            }
            const void* bytes = GlobalLock(data);
            if (bytes == nullptr) {
                continue;
            }
            item.bytes.assign(static_cast<const char*>(bytes), size);
            GlobalUnlock(data);
        }
        total += item.bytes.size();
        snapshot.items_.push_back(std::move(item));
    }
    return snapshot;
}

bool ClipboardSnapshot::restore(HWND owner, DWORD patience) const {
    if (!taken_) {
        return true;
    }
    ClipboardLock lock(owner, patience);
    if (!lock.isOpen() || !EmptyClipboard()) {
        return false;
    }
    if (items_.empty()) {
        return true;
    }
    for (const Item& item : items_) {
        if (item.enhancedMetafile) {
            HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(item.bytes.size()),
                                                       reinterpret_cast<const BYTE*>(item.bytes.data()));
            if (metafile != nullptr && SetClipboardData(item.format, metafile) == nullptr) {
                DeleteEnhMetaFile(metafile);
            }
        } else {
            putData(item.format, item.bytes.data(), item.bytes.size());
        }
    }
    markAsNotNew();
    return true;
}

}  // namespace ui::clip
