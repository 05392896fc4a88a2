#include "ui/FileDialog.hpp"

#include "err/Exceptions.hpp"

#include <commdlg.h>
#include <vector>

namespace ui {

namespace {

// "a|b|c|d" as the dialog wants it: "a\0b\0c\0d\0\0".
std::wstring filterList(const std::wstring& mask) {
    std::wstring list = mask;
    for (wchar_t& c : list) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

std::optional<FileChoice> ask(HWND owner, const std::wstring& title, const std::wstring& mask, bool save) {
    const std::wstring filters = filterList(mask);
    // Long paths are allowed; the dialog says when the buffer is too small.
    std::vector<wchar_t> path(32768, L'\0');
    OPENFILENAMEW record = {};
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.lpstrFilter = filters.c_str();
    record.nFilterIndex = 1;
    record.lpstrFile = path.data();
    record.nMaxFile = static_cast<DWORD>(path.size());
    record.lpstrTitle = title.c_str();
    record.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (save) {
        record.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
        record.lpstrDefExt = L"txt";
    } else {
        record.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    }
    const BOOL chosen = save ? GetSaveFileNameW(&record) : GetOpenFileNameW(&record);
    if (!chosen) {
        if (CommDlgExtendedError() != 0) {
            throw err::RuntimeException("The file dialog could not be shown");
        }
        return std::nullopt;
    }
    return FileChoice{std::wstring(path.data()), static_cast<int>(record.nFilterIndex)};
}

}  // namespace

std::optional<FileChoice> askOpenFile(HWND owner, const std::wstring& title, const std::wstring& mask) {
    return ask(owner, title, mask, false);
}

std::optional<FileChoice> askSaveFile(HWND owner, const std::wstring& title, const std::wstring& mask) {
    return ask(owner, title, mask, true);
}

}  // namespace ui
