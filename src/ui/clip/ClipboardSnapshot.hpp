#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace ui::clip {

// Everything the clipboard holds, kept so it can be put back exactly: every format whose
// data is a memory block (text of every kind, DIBs, rich text, HTML, files, programs' own
// formats) and enhanced metafiles, in the order the clipboard listed them. Formats that are
// handles of other kinds (bitmaps, palettes, private handles) are left out; the system
// makes a bitmap again from the kept DIB.
class ClipboardSnapshot {
public:
    // Everything beyond this many bytes in all is left out rather than copied.
    static constexpr std::size_t sizeCap = std::size_t{256} << 20;

    // Reads the clipboard now; isTaken() answers false when it could not be opened.
    static ClipboardSnapshot take(HWND owner);

    bool isTaken() const { return taken_; }
    bool isEmpty() const { return items_.empty(); }
    std::size_t formatCount() const { return items_.size(); }

    // Replaces the clipboard's contents with the kept ones, marked so that clipboard history
    // and monitoring tools pass over them (they are not new). A snapshot of an empty
    // clipboard leaves it empty. Tries to open the clipboard once, waiting at most
    // `patience` ms; answers false when it could not. A snapshot never taken answers true and
    // changes nothing.
    bool restore(HWND owner, DWORD patience) const;

private:
    struct Item {
        UINT format;
        bool enhancedMetafile;
        std::string bytes;
    };

    std::vector<Item> items_;
    bool taken_ = false;
};

}  // namespace ui::clip
