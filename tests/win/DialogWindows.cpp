#include "DialogWindows.hpp"

#include <gtest/gtest.h>

namespace testing_support {

// Each new child goes below its elder siblings, so the Z order is the order of making.
std::vector<HWND> childrenOfClass(HWND parent, const std::wstring& className) {
    std::vector<HWND> found;
    for (HWND child = FindWindowExW(parent, nullptr, className.c_str(), nullptr); child != nullptr;
         child = FindWindowExW(parent, child, className.c_str(), nullptr)) {
        found.push_back(child);
    }
    return found;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void clickButton(HWND dialog, const std::wstring& caption) {
    HWND button = FindWindowExW(dialog, nullptr, L"Oskel.Button", caption.c_str());
    ASSERT_NE(nullptr, button) << std::string(caption.begin(), caption.end());
    PostMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace testing_support
