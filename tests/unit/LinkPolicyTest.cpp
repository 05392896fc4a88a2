#include "app/LinkPolicy.hpp"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

using app::isExecutableName;
using app::judgeLink;
using app::linkTarget;
using app::LinkVerdict;

namespace {

struct Case {
    std::wstring link;
    LinkVerdict expected;
};

const char* nameOf(LinkVerdict verdict) {
    switch (verdict) {
    case LinkVerdict::Open:
        return "Open";
    case LinkVerdict::Ask:
        return "Ask";
    case LinkVerdict::Refuse:
        return "Refuse";
    }
    return "?";
}

void expectVerdicts(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const LinkVerdict verdict = judgeLink(c.link);
        EXPECT_EQ(c.expected, verdict) << "link '" << std::string(c.link.begin(), c.link.end()) << "' gave "
                                       << nameOf(verdict) << ", not " << nameOf(c.expected);
    }
}

}  // namespace

TEST(LinkPolicy, WebAddressesOpenAtOnce) {
    expectVerdicts({
        {L"http://example.org/page.html", LinkVerdict::Open},
        {L"https://example.org", LinkVerdict::Open},
        {L"HTTPS://Example.ORG/A?b=c#d", LinkVerdict::Open},
        {L"  \t https://example.org/ \r\n", LinkVerdict::Open},
        {L"www.example.org", LinkVerdict::Open},
        {L"WWW.example.org/path", LinkVerdict::Open},
        // A host is no file: ".com" ends many addresses.
        {L"http://example.com", LinkVerdict::Open},
        {L"www.example.com", LinkVerdict::Open},
        {L"https://example.com?q=1", LinkVerdict::Open},
        {L"https://example.org/search?q=setup.exe", LinkVerdict::Open},
        {L"https://example.org/a.exe/", LinkVerdict::Open},
    });
}

TEST(LinkPolicy, OtherSchemesAndLocalDocumentsAskFirst) {
    expectVerdicts({
        {L"mailto:someone@example.com", LinkVerdict::Ask},
        {L"mailto:someone@example.com?subject=a/b", LinkVerdict::Ask},
        {L"ftp://files.example.com/pub/readme.txt", LinkVerdict::Ask},
        {L"ftp://files.example.com", LinkVerdict::Ask},
        {L"file:///C:/Users/me/notes.txt", LinkVerdict::Ask},
        {L"file://server/share/report.pdf", LinkVerdict::Ask},
        {L"news:comp.lang.c++", LinkVerdict::Ask},
        {L"custom-app:do-something", LinkVerdict::Ask},
        {L"C:\\Users\\me\\report.docx", LinkVerdict::Ask},
        {L"\\\\server\\share\\folder\\", LinkVerdict::Ask},
        {L"C:\\Users\\me\\Documents\\", LinkVerdict::Ask},
        // Not "http://": the prefix is not enough to trust it.
        {L"http:/example.org", LinkVerdict::Ask},
        {L"httpx://example.org", LinkVerdict::Ask},
    });
}

TEST(LinkPolicy, ProgramsAndScriptsAreRefusedWhateverTheScheme) {
    expectVerdicts({
        {L"C:\\Windows\\System32\\calc.exe", LinkVerdict::Refuse},
        {L"c:/tools/run.BAT", LinkVerdict::Refuse},
        {L"\\\\server\\share\\setup.msi", LinkVerdict::Refuse},
        {L"evil.vbs", LinkVerdict::Refuse},
        {L"script.ps1", LinkVerdict::Refuse},
        {L"file:///C:/Windows/System32/cmd.exe", LinkVerdict::Refuse},
        {L"file://server/share/x.hta", LinkVerdict::Refuse},
        {L"file:C:/x.scr", LinkVerdict::Refuse},
        {L"FILE:///C:/x.JS?query", LinkVerdict::Refuse},
        {L"ftp://files.example.com/tool.com", LinkVerdict::Refuse},
        {L"http://example.org/download/setup.exe", LinkVerdict::Refuse},
        {L"https://example.org/a.lnk?x=1#top", LinkVerdict::Refuse},
        {L"www.example.org/shortcut.url", LinkVerdict::Refuse},
        {L"custom:C:\\x.cmd", LinkVerdict::Refuse},
        {L"D:\\app.application", LinkVerdict::Refuse},
        {L"D:\\x.reg", LinkVerdict::Refuse},
        {L"D:\\x.jar", LinkVerdict::Refuse},
        {L"D:\\x.cpl", LinkVerdict::Refuse},
    });
}

TEST(LinkPolicy, DisguisedProgramsAreRefused) {
    expectVerdicts({
        // Windows drops trailing dots and spaces from names.
        {L"C:\\x.exe.", LinkVerdict::Refuse},
        {L"C:\\x.exe . .", LinkVerdict::Refuse},
        {L"http://example.org/x.exe.", LinkVerdict::Refuse},
        // Percent-encoding, once and twice, and an encoded NUL that ends a C string.
        {L"file:///C:/x%2Eexe", LinkVerdict::Refuse},
        {L"http://example.org/x%2eexe", LinkVerdict::Refuse},
        {L"http://example.org/x%252Eexe", LinkVerdict::Refuse},
        {L"file:///C:/x.exe%00.txt", LinkVerdict::Refuse},
        {L"http://example.org/x.exe%00.html", LinkVerdict::Refuse},
        // An alternate data stream names the same program.
        {L"C:\\x.exe::$DATA", LinkVerdict::Refuse},
        {L"C:\\x.exe:stream", LinkVerdict::Refuse},
        // Backslashes after a web host still make a path.
        {L"www.example.org\\..\\x.exe", LinkVerdict::Refuse},
        // A name without extension is run with the program extensions tried in turn.
        {L"calc", LinkVerdict::Refuse},
        {L"C:\\Windows\\System32\\cmd", LinkVerdict::Refuse},
        {L"file:///C:/Windows/System32/cmd", LinkVerdict::Refuse},
        {L"notepad.", LinkVerdict::Refuse},
        {L"\\\\server\\share", LinkVerdict::Refuse},
    });
}

TEST(LinkPolicy, EmptyAndMalformedLinksAreRefused) {
    expectVerdicts({
        {L"", LinkVerdict::Refuse},
        {L"   ", LinkVerdict::Refuse},
        {L"\t\r\n", LinkVerdict::Refuse},
        {L"http://", LinkVerdict::Refuse},
        {L"https:///path", LinkVerdict::Refuse},
        // Control characters inside a link: no address holds them.
        {std::wstring(L"http://example.org/\0x.exe", 25), LinkVerdict::Refuse},
        {L"https://example.org/a\nb", LinkVerdict::Refuse},
        {L"https://example.org/\x7f", LinkVerdict::Refuse},
    });
}

TEST(LinkPolicy, ExecutableNamesByOurOwnList) {
    for (const wchar_t* name :
         {L"a.exe",         L"a.com",  L"a.bat", L"a.cmd", L"a.scr", L"a.pif",      L"a.msi",
          L"a.msp",         L"a.vbs",  L"a.vbe", L"a.js",  L"a.jse", L"a.wsf",      L"a.wsh",
          L"a.ps1",         L"a.psm1", L"a.hta", L"a.cpl", L"a.lnk", L"a.reg",      L"a.jar",
          L"a.application", L"a.msc",  L"a.scf", L"a.url", L"A.EXE", L"dir\\a.Exe", L"dir/a.exe  "}) {
        EXPECT_TRUE(isExecutableName(name)) << std::string(name, name + std::wcslen(name));
    }
    for (const wchar_t* name : {L"a.txt", L"a.html", L"a.pdf", L"a.exe.txt", L"a.execute", L"exe", L".", L"", L"a.",
                                L"a.exe\\", L"a.dll", L"a.docx"}) {
        EXPECT_FALSE(isExecutableName(name)) << std::string(name, name + std::wcslen(name));
    }
}

TEST(LinkPolicy, TargetIsTrimmedAndCompletesWwwAddresses) {
    EXPECT_EQ(L"http://www.example.org/a", linkTarget(L"  www.example.org/a \n"));
    EXPECT_EQ(L"http://WWW.example.org", linkTarget(L"WWW.example.org"));
    EXPECT_EQ(L"https://www.example.org", linkTarget(L"https://www.example.org"));
    EXPECT_EQ(L"mailto:a@example.com", linkTarget(L"\tmailto:a@example.com"));
    EXPECT_EQ(L"", linkTarget(L"   "));
}
