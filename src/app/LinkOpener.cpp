#include "app/LinkOpener.hpp"

#include "app/LinkPolicy.hpp"
#include "err/Exceptions.hpp"
#include "sys/platform/Platform.hpp"
#include "res/StringsBundle.hpp"
#include "ui/MessageBox.hpp"

#include <objbase.h>
#include <shellapi.h>

namespace app {

namespace {

// A hostile link can be very long; the box shows its start.
constexpr std::size_t maxShownLink = 300;

std::wstring shown(const std::wstring& link) {
    if (link.size() <= maxShownLink) {
        return link;
    }
    return link.substr(0, maxShownLink) + L"\u2026";
}

// Puts the link where the message says "{1}", in one pass: braces in a link are shown as
// they are, never taken for further placeholders, so the box shows exactly the link.
std::wstring withLink(const std::wstring& pattern, const std::wstring& link) {
    const std::wstring placeholder = L"{1}";
    const std::wstring text = shown(link);
    std::wstring result;
    std::size_t from = 0;
    for (std::size_t at = pattern.find(placeholder); at != std::wstring::npos; at = pattern.find(placeholder, from)) {
        result.append(pattern, from, at - from).append(text);
        from = at + placeholder.size();
    }
    return result.append(pattern, from, std::wstring::npos);
}

// Shell extensions that the shell may load for a link expect an apartment-threaded COM
// on the calling thread. It stays initialised for the thread's life.
void initialiseCom() {
    thread_local bool initialised = false;
    if (!initialised) {
        // S_FALSE (already initialised) is fine, and so is a thread that has chosen
        // another model: the shell then runs without it.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        initialised = true;
    }
}

// No working directory: a link is never resolved against whatever folder the program
// happens to be in.
bool execute(HWND owner, const std::wstring& target) {
    initialiseCom();
    SetLastError(0);
    const auto answer =
        reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (answer > 32) {
        return true;
    }
    DWORD error = GetLastError();
    if (error == 0) {
        error = static_cast<DWORD>(answer);
    }
    ui::showError(
        owner,
        withLink(res::formatText("link.failed", L"{1}", sys::platform::widen(err::describeSystemError(error))), target),
        res::getText("link.failed.title"));
    return false;
}

}  // namespace

bool openLink(HWND owner, const std::wstring& link) {
    switch (judgeLink(link)) {
    case LinkVerdict::Open:
        return execute(owner, linkTarget(link));
    case LinkVerdict::Ask:
        if (ui::askYesNo(owner, withLink(res::getText("link.ask"), linkTarget(link)), res::getText("link.ask.title"))
            != IDYES) {
            return false;
        }
        return execute(owner, linkTarget(link));
    case LinkVerdict::Refuse:
        break;
    }
    ui::showWarning(owner, withLink(res::getText("link.refused"), linkTarget(link)),
                    res::getText("link.refused.title"));
    return false;
}

bool openFile(HWND owner, const std::wstring& path) {
    if (path.empty() || isExecutableName(path)) {
        ui::showWarning(owner, withLink(res::getText("link.refused"), path), res::getText("link.refused.title"));
        return false;
    }
    return execute(owner, path);
}

}  // namespace app
