#pragma once

#include <string>

namespace app {

// The page address in the raw bytes of the "HTML Format" clipboard data: the value of its
// "SourceURL:" header line, decoded as UTF-8 and without surrounding white space. Only the
// header is read, so page text that happens to contain the marker is never taken for the
// address. Empty when the header has no such line or the line has no end.
std::wstring extractSourceUrl(const std::string& htmlFormatData);

// The kinds of window a capture treats differently.
enum class TargetKind {
    Other,
    InternetExplorer,  // the address is read from its address edit
    Opera,             // the address is copied from the address bar; F9 gives the page its focus back
    Mozilla,           // the address is copied from the address bar; the focus is set back by hand
    Console,           // a console or terminal: Ctrl+C would interrupt it, Ctrl+Insert copies
};

// Classifies a target from the lower-cased file name of its executable, its window class
// and its title. The browser tests compare exactly and with case.
TargetKind classifyTarget(const std::wstring& moduleName, const std::wstring& className,
                          const std::wstring& windowTitle);

// How the page address is found once the HTML data gave none.
enum class LinkMethod {
    None,
    ReadAddressBar,  // read the address edit directly
    CopyAddressBar,  // a second copy: focus the address bar, copy, take the next clipboard text
};
LinkMethod linkMethodFor(TargetKind kind);

// Browsers that may publish their HTML data a moment after the text: worth asking again.
bool htmlMayLag(TargetKind kind);

// What gives the target its keyboard focus back after a second copy.
enum class FocusRestore { None, PressF9, SetFocus };
FocusRestore focusRestoreFor(TargetKind kind);

}  // namespace app
