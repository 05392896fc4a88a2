#include "app/ProductLinks.hpp"

#include "res/StringsBundle.hpp"
#include "sys/platform/FileSystem.hpp"

#include <cstdio>

namespace app {

std::wstring helpPagePath() {
    return sys::platform::programFolder() + L"\\help\\" + res::getText("help.filename");
}

std::wstring websiteAddress() {
    return helpPagePath();
}

std::wstring forumAddress() {
    return fileAddress(helpPagePath(), L"questions");
}

std::wstring fileAddress(const std::wstring& path, const std::wstring& fragment) {
    std::wstring address = L"file:///";
    for (const wchar_t c : path) {
        if (c == L'\\') {
            address += L'/';
        } else if (c == L' ' || c == L'#' || c == L'%' || c == L'?') {
            // What would end or change the meaning of the path in an address.
            wchar_t escaped[4];
            std::swprintf(escaped, 4, L"%%%02X", static_cast<unsigned>(c));
            address += escaped;
        } else {
            address += c;
        }
    }
    if (!fragment.empty()) {
        address += L"#" + fragment;
    }
    return address;
}

}  // namespace app
