#include "app/CaptureSource.hpp"
#include "sys/platform/Utf8.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using app::classifyTarget;
using app::extractSourceUrl;
using app::TargetKind;

namespace {

// "HTML Format" data as browsers write it: the header with the offsets of its parts,
// then the page.
std::string htmlFormat(const std::string& extraHeader, const std::string& page) {
    const char* pattern =
        "Version:0.9\r\nStartHTML:%08zu\r\nEndHTML:%08zu\r\nStartFragment:%08zu\r\nEndFragment:%08zu\r\n";
    char probe[200];
    const int fixed =
        std::snprintf(probe, sizeof probe, pattern, std::size_t{0}, std::size_t{0}, std::size_t{0}, std::size_t{0});
    const std::size_t start = static_cast<std::size_t>(fixed) + extraHeader.size();
    const std::size_t end = start + page.size();
    char header[200];
    std::snprintf(header, sizeof header, pattern, start, end, start, end);
    return std::string(header) + extraHeader + page;
}

struct UrlCase {
    const char* what;
    std::string data;
    std::wstring expected;
};

}  // namespace

TEST(SourceUrl, OnlyTheHeaderLineGivesTheAddress) {
    const std::string page = "<html><body>SourceURL:http://page.text/\r\nmore</body></html>";
    std::string noTerminator = htmlFormat("SourceURL:http://a.b/\r\n", page);
    noTerminator.resize(noTerminator.size() - 5);
    std::string zeroInside = htmlFormat("SourceURL:http://before.zero/\r\n", page);
    zeroInside.insert(12, 1, '\0');
    const std::vector<UrlCase> cases = {
        {"plain, CR LF dropped", htmlFormat("SourceURL:http://example.org/x?a=1\r\n", page),
         L"http://example.org/x?a=1"},
        {"LF-only lines, spaces trimmed", htmlFormat("SourceURL:  http://lf.only/ \n", page), L"http://lf.only/"},
        {"UTF-8 address",
         htmlFormat("SourceURL:http://b\xC3\xBC"
                    "cher.de/\xE2\x82\xAC\r\n",
                    page),
         L"http://b\u00FCcher.de/\u20AC"},
        {"no SourceURL: page text is not read", htmlFormat("", page), L""},
        {"marker only in a bare fragment", "Version:0.9\r\n<p>SourceURL:http://evil/\r\n</p>", L""},
        {"last line without a line end", "Version:0.9\r\nSourceURL:http://cut.off/", L""},
        {"no zero terminator, cut inside the page", noTerminator, L"http://a.b/"},
        {"zero inside the header ends it", zeroInside, L""},
        {"StartHTML before the marker line",
         "Version:0.9\r\nStartHTML:0000000013\r\nSourceURL:http://late/\r\n<html></html>", L""},
        {"StartHTML given after the marker, pointing before it",
         "Version:0.9\r\nSourceURL:http://early/\r\nStartHTML:5\r\n<html></html>", L""},
        {"hostile offsets past the end or negative are ignored",
         "Version:0.9\r\nStartHTML:99999999999999999999999\r\nStartFragment:-1\r\nSourceURL:http://ok/\r\n<html>",
         L"http://ok/"},
        {"page line looking like a header after StartHTML", "Version:0.9\r\nStartHTML:27\r\nSourceURL:http://evil/\r\n",
         L""},
        {"empty data", std::string(), L""},
    };
    for (const UrlCase& c : cases) {
        EXPECT_EQ(c.expected, extractSourceUrl(c.data)) << c.what;
    }
}

TEST(SourceUrl, MalformedUtf8BecomesReplacementCharactersAndDecodingGoesOn) {
    struct Case {
        std::string bytes;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {"a\xC0\xAF"
         "b",
         L"a\uFFFD\uFFFDb"},                                // overlong slash
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
        {"x\xE2\x82", L"x\uFFFD\uFFFD"},                    // cut-off tail
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, sys::platform::decodeUtf8(c.bytes.data(), c.bytes.size()));
    }
    const std::string emoji = "\xF0\x9F\x98\x80";
    const std::wstring decoded = sys::platform::decodeUtf8(emoji.data(), emoji.size());
    EXPECT_EQ(sizeof(wchar_t) == 2 ? 2u : 1u, decoded.size()) << "a surrogate pair where wide text is UTF-16";
}

TEST(CaptureTarget, BrowserFamiliesNeedTheirExecutableAndClass) {
    struct Case {
        const wchar_t* module;
        const wchar_t* className;
        const wchar_t* title;
        TargetKind expected;
    };
    const std::vector<Case> cases = {
        {L"iexplore.exe", L"IEFrame", L"Page", TargetKind::InternetExplorer},
        {L"iexplore.exe", L"IEFrame2", L"Page", TargetKind::Other},
        {L"other.exe", L"IEFrame", L"Page", TargetKind::Other},
        {L"opera.exe", L"OpWindow", L"Page - Opera", TargetKind::Opera},
        {L"opera.exe", L"OpWindow", L"Page - opera", TargetKind::Other},
        {L"opera.exe", L"OtherWindow", L"Page - Opera", TargetKind::Other},
        {L"firefox.exe", L"MozillaUIWindowClass", L"Page", TargetKind::Mozilla},
        {L"firefox.exe", L"MozillaWindowClass", L"Page", TargetKind::Other},
        {L"netscape.exe", L"NS_AE_WindowClass", L"Page", TargetKind::Mozilla},
        {L"netscape.exe", L"MozillaUIWindowClass", L"Page", TargetKind::Other},
        {L"mozilla.exe", L"Anything", L"Page", TargetKind::Mozilla},
        {L"Firefox.exe", L"MozillaUIWindowClass", L"Page", TargetKind::Other},
        {L"cmd.exe", L"ConsoleWindowClass", L"C:\\", TargetKind::Console},
        {L"windowsterminal.exe", L"CASCADIA_HOSTING_WINDOW_CLASS", L"PowerShell", TargetKind::Console},
        {L"wineconsole.exe", L"SomeClass", L"cmd", TargetKind::Console},
        {L"notepad.exe", L"Notepad", L"Opera notes", TargetKind::Other},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, classifyTarget(c.module, c.className, c.title))
            << std::string(c.module, c.module + wcslen(c.module)) << " / "
            << std::string(c.className, c.className + wcslen(c.className));
    }
}

TEST(CaptureTarget, EachFamilyFindsItsLinkAndFocusItsOwnWay) {
    using app::FocusRestore;
    using app::LinkMethod;
    struct Case {
        TargetKind kind;
        LinkMethod link;
        bool htmlLags;
        FocusRestore focus;
    };
    const std::vector<Case> cases = {
        {TargetKind::InternetExplorer, LinkMethod::ReadAddressBar, true, FocusRestore::None},
        {TargetKind::Opera, LinkMethod::CopyAddressBar, false, FocusRestore::PressF9},
        {TargetKind::Mozilla, LinkMethod::CopyAddressBar, true, FocusRestore::SetFocus},
        {TargetKind::Console, LinkMethod::None, false, FocusRestore::None},
        {TargetKind::Other, LinkMethod::None, false, FocusRestore::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.link, app::linkMethodFor(c.kind)) << static_cast<int>(c.kind);
        EXPECT_EQ(c.htmlLags, app::htmlMayLag(c.kind)) << static_cast<int>(c.kind);
        EXPECT_EQ(c.focus, app::focusRestoreFor(c.kind)) << static_cast<int>(c.kind);
    }
}
