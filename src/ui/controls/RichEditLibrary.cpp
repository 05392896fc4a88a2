#include "ui/controls/RichEditLibrary.hpp"

#include "err/Exceptions.hpp"

#include <windows.h>

namespace ui::controls {

void loadRichEditLibrary() {
    static HMODULE library = nullptr;
    if (library != nullptr) {
        return;
    }
    // Only the system folder is searched, never the program's or the current folder. Systems
    // without the search flags (Windows 7 without KB2533623) refuse the call as invalid.
    HMODULE loaded = LoadLibraryExW(L"riched20.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (loaded == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
        loaded = LoadLibraryW(L"riched20.dll");
    }
    if (loaded == nullptr) {
        throw err::SystemException("Can't load the rich edit library riched20.dll.");
    }
    library = loaded;
}

}  // namespace ui::controls
