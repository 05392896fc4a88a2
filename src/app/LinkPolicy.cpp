#include "app/LinkPolicy.hpp"

#include "sys/platform/Platform.hpp"

#include <algorithm>
#include <array>
#include <vector>

namespace app {

namespace {

// Extensions the shell executes, or hands to an interpreter or installer, on "open".
constexpr std::array<const wchar_t*, 56> executableExtensions{
    L"exe",         L"com",       L"bat",     L"cmd",
    L"scr",         L"pif",       L"msi",     L"msp",
    L"mst",         L"msix",      L"appx",    L"msixbundle",
    L"appxbundle",  L"vb",        L"vbs",     L"vbe",
    L"js",          L"jse",       L"ws",      L"wsf",
    L"wsc",         L"wsh",       L"sct",     L"ps1",
    L"ps1xml",      L"ps2",       L"ps2xml",  L"psc1",
    L"psc2",        L"psd1",      L"psm1",    L"msh",
    L"msh1",        L"msh2",      L"mshxml",  L"hta",
    L"cpl",         L"lnk",       L"reg",     L"inf",
    L"ins",         L"isp",       L"jar",     L"jnlp",
    L"application", L"appref-ms", L"gadget",  L"msc",
    L"scf",         L"url",       L"website", L"settingcontent-ms",
    L"shb",         L"shs",       L"py",      L"pyw",
};

bool isControl(wchar_t c) {
    return c < L' ' || c == 0x7F;
}

std::wstring lowerAscii(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return text;
}

// The last component of a path as the file system reads it: without a stream suffix
// ("x.exe::$DATA" and "x.exe:s" name x.exe) and without trailing dots and spaces, which
// Windows drops from file names.
std::wstring fileName(const std::wstring& path) {
    std::wstring name = path;
    const std::size_t slash = name.find_last_of(L"/\\");
    if (slash != std::wstring::npos) {
        name.erase(0, slash + 1);
    }
    const std::size_t colon = name.find(L':');
    if (colon != std::wstring::npos) {
        name.erase(colon);
    }
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) {
        name.pop_back();
    }
    return name;
}

bool startsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
}

int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

// One round of %XX decoding; each escape becomes one code unit, which is all the
// extension test needs.
std::wstring percentDecoded(const std::wstring& text) {
    std::wstring result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            result += static_cast<wchar_t>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            result += text[i];
        }
    }
    return result;
}

// The text and every form that decoding (repeatedly, for doubly encoded names) or cutting
// at a NUL (where a C string would end) could turn it into.
std::vector<std::wstring> readings(const std::wstring& text) {
    std::vector<std::wstring> result;
    std::wstring current = text;
    for (int round = 0; round < 4; ++round) {
        result.push_back(current);
        const std::size_t nul = current.find(L'\0');
        if (nul != std::wstring::npos) {
            result.push_back(current.substr(0, nul));
        }
        std::wstring decoded = percentDecoded(current);
        if (decoded == current) {
            break;
        }
        current = std::move(decoded);
    }
    return result;
}

std::wstring withoutQueryAndFragment(const std::wstring& text) {
    return text.substr(0, text.find_first_of(L"?#"));
}

bool anyExecutable(const std::wstring& text) {
    const std::vector<std::wstring> forms = readings(text);
    return std::any_of(forms.begin(), forms.end(), [](const std::wstring& form) { return isExecutableName(form); });
}

// The path of an address with an authority ("scheme://host/path?query#fragment"), `rest`
// being what follows the "//": the host is not part of it, so "http://example.com" is no
// program named "example.com".
std::wstring hierarchicalPath(const std::wstring& rest) {
    const std::size_t pathStart = rest.find_first_of(L"/\\?#");
    if (pathStart == std::wstring::npos) {
        return std::wstring();
    }
    return withoutQueryAndFragment(rest.substr(pathStart));
}

// The scheme's length (before its ':'), or 0 when the text does not start with one.
std::size_t schemeLength(const std::wstring& text) {
    const auto isLetter = [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); };
    if (text.empty() || !isLetter(text[0])) {
        return 0;
    }
    std::size_t i = 1;
    while (i < text.size()
           && (isLetter(text[i]) || (text[i] >= L'0' && text[i] <= L'9') || text[i] == L'+' || text[i] == L'-'
               || text[i] == L'.')) {
        ++i;
    }
    return i < text.size() && text[i] == L':' ? i : 0;
}

LinkVerdict judgeWebAddress(const std::wstring& rest) {
    if (rest.empty() || rest.find_first_of(L"/\\?#") == 0) {
        return LinkVerdict::Refuse;  // no host
    }
    return anyExecutable(hierarchicalPath(rest)) ? LinkVerdict::Refuse : LinkVerdict::Open;
}

// A local or network path. Besides programs by extension, the shell runs a name without
// one by trying the program extensions ("calc" starts calc.exe), so only a path that ends
// in a separator (a folder) may go without an extension.
LinkVerdict judgeLocalPath(const std::wstring& path) {
    const std::vector<std::wstring> forms = readings(path);
    const bool runnable = std::any_of(forms.begin(), forms.end(), [](const std::wstring& form) {
        const std::wstring name = fileName(form);
        return isExecutableName(form) || (!name.empty() && name.find(L'.') == std::wstring::npos);
    });
    return runnable ? LinkVerdict::Refuse : LinkVerdict::Ask;
}

LinkVerdict stricter(LinkVerdict a, LinkVerdict b) {
    return a == LinkVerdict::Refuse || b == LinkVerdict::Refuse ? LinkVerdict::Refuse : std::min(a, b);
}

}  // namespace

bool isExecutableName(const std::wstring& name) {
    const std::wstring file = lowerAscii(fileName(name));
    const std::size_t dot = file.rfind(L'.');
    if (dot == std::wstring::npos) {
        return false;
    }
    const std::wstring extension = file.substr(dot + 1);
    return std::any_of(executableExtensions.begin(), executableExtensions.end(),
                       [&](const wchar_t* candidate) { return extension == candidate; });
}

std::wstring linkTarget(const std::wstring& link) {
    std::wstring target = sys::platform::trimmed(link);
    if (startsWith(lowerAscii(target.substr(0, 4)), L"www.")) {
        target.insert(0, L"http://");
    }
    return target;
}

LinkVerdict judgeLink(const std::wstring& link) {
    const std::wstring text = sys::platform::trimmed(link);
    if (text.empty() || std::any_of(text.begin(), text.end(), isControl)) {
        return LinkVerdict::Refuse;
    }
    const std::wstring lower = lowerAscii(text);
    if (startsWith(lower, L"http://")) {
        return judgeWebAddress(text.substr(7));
    }
    if (startsWith(lower, L"https://")) {
        return judgeWebAddress(text.substr(8));
    }
    if (startsWith(lower, L"www.")) {
        return judgeWebAddress(text);
    }
    const std::size_t scheme = schemeLength(text);
    // One letter before the colon is a drive ("C:\\x"), not a scheme.
    if (scheme <= 1) {
        return judgeLocalPath(text);
    }
    std::wstring rest = text.substr(scheme + 1);
    const bool hierarchical = startsWith(rest, L"//");
    if (lower.compare(0, scheme, L"file") == 0) {
        // "file:///C:/x", "file://server/share/x" and "file:C:/x" all name local paths.
        return stricter(judgeLocalPath(rest), judgeLocalPath(withoutQueryAndFragment(rest)));
    }
    if (hierarchical) {
        return anyExecutable(hierarchicalPath(rest.substr(2))) ? LinkVerdict::Refuse : LinkVerdict::Ask;
    }
    // An opaque address ("mailto:a@example.com", "news:x") names no file unless it holds a
    // path ("custom:C:\\x.exe").
    const std::wstring opaque = withoutQueryAndFragment(rest);
    if (opaque.find_first_of(L"/\\") != std::wstring::npos && anyExecutable(opaque)) {
        return LinkVerdict::Refuse;
    }
    return LinkVerdict::Ask;
}

}  // namespace app
