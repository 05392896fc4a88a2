#include "Input.hpp"
#include "ProgramFolder.hpp"
#include "Session.hpp"
#include "TargetProgram.hpp"
#include "TopWindows.hpp"
#include "VarnelProcess.hpp"
#include "Wait.hpp"

#include "app/Settings.hpp"
#include "app/model/Note.hpp"
#include "app/model/Notebook.hpp"
#include "res/StringsBundle.hpp"
#include "win/ScreenCapture.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace e2e;
using app::model::Notebook;

// Varnel started in a private folder, waiting for input, with silent clipping as asked.
struct Varnel : Session {
    explicit Varnel(const std::wstring& arguments = std::wstring(), bool silent = false)
        : Session(
            [silent](const ProgramFolder& folder) {
                if (silent) {
                    folder.storeSetting(app::Settings::silentClippingKey, true);
                }
            },
            arguments) {}
};

// cliptarget started with the arguments, under its own name or a copy under another one,
// logging to a file of the folder.
struct ClipTarget {
    ClipTarget(const ProgramFolder& folder, const std::wstring& arguments,
               const std::wstring& executable = std::wstring(L"cliptarget.exe"))
        : log(folder.file(executable + L"-" + std::to_wstring(++started) + L".log")) {
        std::wstring program = TargetProgram::clipTarget();
        if (executable != L"cliptarget.exe") {
            const std::wstring copy = folder.file(executable);
            if (!CopyFileW(program.c_str(), copy.c_str(), FALSE)) {
                throw std::runtime_error("cannot copy cliptarget.exe");
            }
            program = copy;
        }
        DeleteFileW(log.c_str());
        process = std::make_unique<TargetProgram>(
            TargetProgram::quoted(program) + L" " + TargetProgram::quoted(L"--log=" + log) + L" " + arguments,
            folder.path());
    }
    HWND window(const std::wstring& className = std::wstring(L"ClipTarget")) const {
        return process->waitForWindow(className);
    }
    std::vector<std::string> lines() const { return clipTargetLog(log); }
    // The log as one text, for failure messages.
    std::string dump() const {
        std::string all;
        for (const std::string& line : lines()) {
            all += "\n  " + line;
        }
        return "\ncliptarget's log:" + all;
    }
    int count(const std::string& line) const {
        const std::vector<std::string> all = lines();
        return static_cast<int>(std::count(all.begin(), all.end(), line));
    }

    static inline int started = 0;  // one log file each
    std::wstring log;
    std::unique_ptr<TargetProgram> process;
};

// The keys the system takes as held, for failure messages: a key left down changes every
// combination after it.
std::string keysDown() {
    std::string down;
    for (int key = 1; key < 256; ++key) {
        if ((GetAsyncKeyState(key) & 0x8000) != 0) {
            char name[8];
            std::snprintf(name, sizeof name, " 0x%02X", static_cast<unsigned>(key));
            down += name;
        }
    }
    return "\nkeys down:" + (down.empty() ? std::string(" none") : down);
}

std::wstring arg(const std::wstring& name, const std::wstring& value) {
    return TargetProgram::quoted(L"--" + name + L"=" + value);
}

// The clip hot key as the user presses it, with the target in front.
void clipFrom(HWND target) {
    ASSERT_TRUE(bringToFront(target));
    pressKey(VK_F12, true);
}

// Every format on the clipboard with its bytes, in the clipboard's order.
std::vector<std::pair<UINT, std::string>> clipboardContents() {
    std::vector<std::pair<UINT, std::string>> contents;
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) {
        return contents;
    }
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        HANDLE data = GetClipboardData(format);
        const auto* bytes = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
        if (bytes != nullptr) {
            contents.emplace_back(format, std::string(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return contents;
}

std::optional<std::string> clipboardBytes(UINT format) {
    for (const auto& [id, bytes] : clipboardContents()) {
        if (id == format) {
            return bytes;
        }
    }
    return std::nullopt;
}

int clipboardFormatCount() {
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) {
        return -1;
    }
    const int count = CountClipboardFormats();
    CloseClipboard();
    return count;
}

std::wstring withoutCr(std::wstring text) {
    text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
    return text;
}

// The texts of a window's children, for reading a dialog's fields.
std::vector<std::wstring> childTexts(HWND parent) {
    std::vector<std::wstring> texts;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(textOf(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

void saveScreen(const wchar_t* name) {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(testing_support::ScreenCapture(screen).savePng(name));
}

// Wine's own notepad: a program no one here wrote, clipped as a user clips it.
TEST(Clipping, ASelectionInNotepadBecomesANoteTitledWithItsWindowAndTheClipboardComesBack) {
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    const std::wstring text = L"First line from notepad\r\nsecond line, the end";
    varnel.folder.write(L"clip.txt", "First line from notepad\r\nsecond line, the end");
    TargetProgram notepad(L"notepad.exe " + TargetProgram::quoted(varnel.folder.file(L"clip.txt")),
                          varnel.folder.path());
    HWND window = notepad.waitForWindow(L"Notepad");
    ASSERT_NE(window, nullptr) << "Wine's notepad did not start";
    const std::wstring title = textOf(window);
    ASSERT_TRUE(setClipboardText(L"copied earlier"));

    ASSERT_TRUE(bringToFront(window));
    pressKey('A', true);
    clipFrom(window);
    const auto notebook = varnel.folder.notebookOnceSaved(1);
    ASSERT_TRUE(notebook);
    ASSERT_EQ(1, notebook->count());
    EXPECT_EQ(withoutCr(text), notebook->note(0).text());
    EXPECT_EQ(title, notebook->note(0).title());
    EXPECT_EQ(title, notebook->note(0).source());
    EXPECT_EQ(L"", notebook->note(0).link());
    EXPECT_EQ(std::optional<std::wstring>(L"copied earlier"), clipboardText());
    // Not silent: the capture brings the window forward.
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == varnel.frame; }, 5000));
    saveScreen(L"visual-clip-arrived.png");
}

// A small device-independent bitmap: 3 x 2 pixels of 24 bits, rows padded to 4 bytes.
std::string smallDib() {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = 3;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = 2 * 12;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 12; ++i) {
            bytes += static_cast<char>(i < 9 ? 0x20 * row + 0x11 * i : 0);
        }
    }
    return bytes;
}

// What the user had copied is worth more than the capture: every format comes back as it
// was, and an empty clipboard stays empty.
TEST(Clipping, TheClipboardComesBackByteForByteAndEmptyStaysEmpty) {
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    ClipTarget target(varnel.folder, arg(L"text", L"clipped over a private format"));
    HWND window = target.window();
    ASSERT_NE(window, nullptr);

    const UINT privateFormat = RegisterClipboardFormatW(L"Varnel.E2E.Private");
    std::string privateBytes;
    for (int i = 0; i < 300; ++i) {
        privateBytes += static_cast<char>(i * 7);  // zeros and high bytes among them
    }
    const std::wstring earlier = L"earlier text, \u00e9t\u00e9 \u65e5\u672c";
    const std::string earlierBytes(reinterpret_cast<const char*>(earlier.c_str()),
                                   (earlier.size() + 1) * sizeof(wchar_t));
    const std::string image = smallDib();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    for (const auto& [format, bytes] :
         {std::make_pair(UINT{CF_UNICODETEXT}, earlierBytes), std::make_pair(privateFormat, privateBytes),
          std::make_pair(UINT{CF_DIB}, image)}) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        ASSERT_NE(SetClipboardData(format, block), nullptr);
    }
    CloseClipboard();

    clipFrom(window);
    auto notebook = varnel.folder.notebookOnceSaved(1);
    ASSERT_TRUE(notebook);
    ASSERT_EQ(1, notebook->count());
    EXPECT_EQ(L"clipped over a private format", notebook->note(0).text());
    EXPECT_EQ(std::optional<std::string>(privateBytes), clipboardBytes(privateFormat));
    EXPECT_EQ(std::optional<std::string>(earlierBytes), clipboardBytes(CF_UNICODETEXT));
    EXPECT_EQ(std::optional<std::string>(image), clipboardBytes(CF_DIB));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    clipFrom(window);
    notebook = varnel.folder.notebookOnceSaved(2);
    ASSERT_TRUE(notebook);
    ASSERT_EQ(2, notebook->count());
    EXPECT_EQ(0, clipboardFormatCount());
    EXPECT_EQ(2, target.count("copy 29 from page"));
}

// The page address comes only from the header of the HTML data, in UTF-8; an address
// written in the page itself is not one.
TEST(Clipping, TheLinkComesFromTheHtmlHeaderOnly) {
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    const std::wstring nonAscii = L"https://b\u00fccher.example/\u65e5\u672c?q=\u00e9";
    const std::wstring nonAsciiTitle = L"B\u00fccher \u2013 \u65e5\u672c \U0001F600";
    const std::wstring pageText = L"Version:0.9\r\nSourceURL:http://page.example/not-a-link\r\nthe page says so";
    struct Case {
        std::wstring arguments;
        std::wstring link;
    } cases[] = {
        {arg(L"text", L"ascii") + L" " + arg(L"url", L"https://example.com/a?b=1&c=2"),
         L"https://example.com/a?b=1&c=2"},
        {arg(L"text", L"non-ascii") + L" " + arg(L"url", nonAscii) + L" " + arg(L"title", nonAsciiTitle), nonAscii},
        {arg(L"text", pageText), L""},
    };
    int count = 0;
    for (const Case& c : cases) {
        ClipTarget target(varnel.folder, c.arguments);
        HWND window = target.window();
        ASSERT_NE(window, nullptr);
        clipFrom(window);
        const auto notebook = varnel.folder.notebookOnceSaved(++count);
        ASSERT_TRUE(notebook);
        ASSERT_EQ(count, notebook->count()) << target.dump();
        EXPECT_EQ(c.link, notebook->note(count - 1).link()) << "note " << count;
    }
    const auto notebook = varnel.folder.notebook();
    EXPECT_EQ(nonAsciiTitle, notebook->note(1).title());
    EXPECT_EQ(withoutCr(pageText), notebook->note(2).text());
}

// A Mozilla-family browser that gives no address in its HTML data: Varnel copies it from
// the address bar (Ctrl+L, Ctrl+C) once, and gives the focus back to the page.
TEST(Clipping, ABrowserWithoutAddressInItsDataIsAskedForItOnceAndGetsItsFocusBack) {
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    ClipTarget browser(varnel.folder,
                       arg(L"text", L"a paragraph of the page") + L" " + arg(L"class", L"MozillaUIWindowClass") + L" "
                           + arg(L"title", L"Some page - Mozilla Firefox") + L" "
                           + arg(L"address", L"https://www.example.org/some/page"),
                       L"firefox.exe");
    HWND window = browser.window(L"MozillaUIWindowClass");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(setClipboardText(L"before the browser"));

    clipFrom(window);
    const auto notebook = varnel.folder.notebookOnceSaved(1);
    ASSERT_TRUE(notebook);
    ASSERT_EQ(1, notebook->count());
    EXPECT_EQ(L"a paragraph of the page", notebook->note(0).text());
    EXPECT_EQ(L"Some page - Mozilla Firefox", notebook->note(0).title());
    EXPECT_EQ(L"https://www.example.org/some/page", notebook->note(0).link());
    EXPECT_EQ(std::optional<std::wstring>(L"before the browser"), clipboardText());

    EXPECT_EQ(1, browser.count("key ctrl+0x4C focus page")) << "the address bar asked for once" << browser.dump();
    EXPECT_EQ(1, browser.count("copy 23 from page"));
    EXPECT_EQ(1, browser.count("copy 33 from address"));
    // The address bar took the focus for its copy, and the page has it back (the window
    // itself is behind Varnel's by now, so its log tells).
    EXPECT_EQ(1, browser.count("focus address")) << browser.dump();
    const std::vector<std::string> lines = browser.lines();
    const auto lastFocus = std::find_if(lines.rbegin(), lines.rend(),
                                        [](const std::string& line) { return line.rfind("focus ", 0) == 0; });
    ASSERT_NE(lastFocus, lines.rend());
    EXPECT_EQ("focus page", *lastFocus) << browser.dump();
}

// Nothing selected, nothing copied: after the time-out the New Note dialog opens with the
// target's title and program.
TEST(Clipping, NothingSelectedOpensTheNewNoteDialogWithTheTargetsTitleAndProgram) {
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    ClipTarget target(varnel.folder, arg(L"select", L"none") + L" " + arg(L"title", L"Nothing to see here"));
    HWND window = target.window();
    ASSERT_NE(window, nullptr);

    clipFrom(window);
    HWND dialog = varnel.varnel->waitForWindow(res::getText("noteedit.new.title"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(contains(childTexts(dialog), L"Nothing to see here"));
    EXPECT_EQ(1, target.count("copy nothing from page")) << target.dump();

    // Another capture while this dialog is open waits for it, and comes after its note.
    ClipTarget other(varnel.folder, arg(L"text", L"clipped meanwhile"));
    HWND otherWindow = other.window();
    ASSERT_NE(otherWindow, nullptr);
    clipFrom(otherWindow);
    ASSERT_TRUE(waitUntil([&] { return other.count("copy 17 from page") == 1; }, 5000)) << other.dump();

    // The program's name is kept with the note, not shown.
    ASSERT_TRUE(bringToFront(dialog));
    pressKey(VK_RETURN, true);
    const auto notebook = varnel.folder.notebookOnceSaved(2);
    ASSERT_TRUE(notebook);
    ASSERT_EQ(2, notebook->count());
    EXPECT_EQ(L"Nothing to see here", notebook->note(0).title());
    EXPECT_EQ(L"cliptarget.exe", notebook->note(0).source());
    EXPECT_EQ(L"clipped meanwhile", notebook->note(1).text());
}

// A held combination repeats its key-down; it is still one press, one capture, one note.
TEST(Clipping, AHeldHotKeyGivesOneNote) {
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    ClipTarget target(varnel.folder, arg(L"text", L"held once"));
    HWND window = target.window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(bringToFront(window));

    keyDown(VK_CONTROL);
    for (int repeat = 0; repeat < 30; ++repeat) {
        keyDown(VK_F12);  // 50 ms apart, as a keyboard repeats
    }
    keyUp(VK_F12);
    keyUp(VK_CONTROL);
    const auto first = varnel.folder.notebookOnceSaved(1);
    ASSERT_TRUE(first && first->count() == 1) << target.dump() << keysDown();
    // A second capture, had one started, would have ended well within this.
    const auto notebook = varnel.folder.notebookOnceSaved(2, 3000);
    ASSERT_TRUE(notebook);
    EXPECT_EQ(1, notebook->count());
    EXPECT_EQ(1, target.count("copy 9 from page"));
}

// Ctrl+Alt+X held over a program with a menu bar: the copy keys wait for the user's keys or
// lift them so that Alt let go on its own opens no menu, and the text is clipped.
TEST(Clipping, AHeldCtrlAltHotKeyClipsAndOpensNoMenu) {
    ProgramFolder folder;
    folder.storeSetting(app::Settings::captureHotkeyKey, 88);
    folder.storeSetting(app::Settings::captureHotkeyModifiersKey, 3);
    struct Hold {
        const char* what;
        int heldMs;  // Ctrl and Alt, after X is let go
    } holds[] = {{"let go at once", 0}, {"held beyond the wait for them", 1500}};
    VarnelProcess process(folder.path());
    ASSERT_NE(process.waitForMainWindow(), nullptr);
    process.waitUntilIdle();
    int count = 0;
    for (const Hold& hold : holds) {
        ClipTarget target(folder, arg(L"text", L"clipped with Ctrl+Alt+X") + L" --menu");
        HWND window = target.window();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(bringToFront(window));
        // Alt first: alone it is the key that opens the menu bar.
        keyDown(VK_MENU);
        keyDown(VK_CONTROL);
        for (int repeat = 0; repeat < 10; ++repeat) {
            keyDown('X');  // 50 ms apart, as a keyboard repeats
        }
        keyUp('X');
        Sleep(static_cast<DWORD>(hold.heldMs));
        keyUp(VK_CONTROL);
        keyUp(VK_MENU);
        const auto notebook = folder.notebookOnceSaved(++count);
        ASSERT_TRUE(notebook && notebook->count() == count) << hold.what << target.dump() << keysDown();
        EXPECT_EQ(L"clipped with Ctrl+Alt+X", notebook->note(count - 1).text()) << hold.what;
        // The window may still take a late Alt; give it the time to show.
        Sleep(500);
        for (const char* menu : {"menu loop", "init menu", "key menu"}) {
            EXPECT_EQ(0, target.count(menu)) << hold.what << target.dump();
        }
        EXPECT_EQ(1, target.count("copy 23 from page")) << hold.what << target.dump();
        if (count == 2) {
            // The log does tell: Alt pressed alone enters the menu bar.
            ASSERT_TRUE(bringToFront(window));
            pressKey(VK_MENU);
            EXPECT_TRUE(waitUntil([&] { return target.count("key menu") == 1; }, 5000)) << target.dump();
            pressKey(VK_ESCAPE);
        }
    }
}

// Ctrl+F12 held by another program at the start: Varnel clips with Win+F12 for this run.
TEST(Clipping, WithCtrlF12TakenTheFallbackKeyClips) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL, VK_F12)) << "Ctrl+F12 is free to take";
    struct Release {
        ~Release() { UnregisterHotKey(nullptr, 1); }
    } release;
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    ClipTarget target(varnel.folder, arg(L"text", L"clipped with the fallback"));
    HWND window = target.window();
    ASSERT_NE(window, nullptr);

    ASSERT_TRUE(bringToFront(window));
    keyDown(VK_LWIN);
    pressKey(VK_F12);
    keyUp(VK_LWIN);
    const auto notebook = varnel.folder.notebookOnceSaved(1);
    ASSERT_TRUE(notebook && notebook->count() == 1) << target.dump() << keysDown();
    EXPECT_EQ(L"clipped with the fallback", notebook->note(0).text());
}

// A target that copies only after the capture gave up would overwrite the clipboard the
// capture has just put back: its late copy is undone.
TEST(Clipping, ACopyAfterTheTimeOutLeavesTheEarlierClipboard) {
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    ClipTarget target(varnel.folder, arg(L"text", L"copied too late") + L" " + arg(L"copy-delay-ms", L"1500"));
    HWND window = target.window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(setClipboardText(L"copied by the user"));

    clipFrom(window);
    HWND dialog = varnel.varnel->waitForWindow(res::getText("noteedit.new.title"));
    ASSERT_NE(dialog, nullptr) << "the capture had no text in time" << target.dump();
    ASSERT_TRUE(waitUntil([&] { return target.count("copy 15 from page") == 1; }, 10000)) << target.dump();
    EXPECT_TRUE(waitUntil([] { return clipboardText() == std::optional<std::wstring>(L"copied by the user"); }, 5000))
        << "the clipboard holds: "
        << (clipboardText() == std::optional<std::wstring>(L"copied too late") ? "the late copy" : "something else");
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

// Silent clipping keeps the hidden window hidden; the note is added all the same.
TEST(Clipping, SilentClippingAddsTheNoteWithoutShowingTheWindow) {
    Varnel varnel(L"-m", true);
    ASSERT_NE(varnel.frame, nullptr);
    ASSERT_FALSE(IsWindowVisible(varnel.frame));
    std::wstring text = L"clipped in silence, ";
    while (text.size() < 150) {
        text += L"and on ";
    }
    ClipTarget target(varnel.folder, arg(L"text", text));
    HWND window = target.window();
    ASSERT_NE(window, nullptr);

    clipFrom(window);
    const auto notebook = varnel.folder.notebookOnceSaved(1);
    ASSERT_TRUE(notebook);
    ASSERT_EQ(1, notebook->count());
    EXPECT_EQ(text, notebook->note(0).text());
    EXPECT_FALSE(IsWindowVisible(varnel.frame));
    EXPECT_NE(GetForegroundWindow(), varnel.frame);
    // The balloon is the shell's tooltip, which answers with its text; it shows the start
    // of the clip.
    HWND balloon = nullptr;
    waitUntil(
        [&] {
            EnumWindows(
                [](HWND window, LPARAM found) -> BOOL {
                    if (IsWindowVisible(window) && classNameOf(window) == L"tooltips_class32") {
                        *reinterpret_cast<HWND*>(found) = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&balloon));
            return balloon != nullptr;
        },
        10000);
    ASSERT_NE(balloon, nullptr) << "no balloon";
    EXPECT_EQ(text.substr(0, 128), textOf(balloon));
    saveScreen(L"visual-clip-balloon.png");
}

// A dialog may hold a note the user is editing: a capture made meanwhile waits, and is
// added once the dialog has closed.
TEST(Clipping, ACaptureWhileADialogIsOpenIsAddedWhenItCloses) {
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    ClipTarget target(varnel.folder, arg(L"text", L"made while editing"));
    HWND window = target.window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(bringToFront(varnel.frame)) << keysDown();
    pressKey(VK_INSERT);
    HWND dialog = varnel.varnel->waitForWindow(res::getText("noteedit.new.title"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(setClipboardText(L"before the dialog capture"));
    // With Varnel's own dialog in front the hot key does nothing.
    ASSERT_TRUE(bringToFront(dialog));
    pressKey(VK_F12, true);

    clipFrom(window);
    ASSERT_TRUE(waitUntil([&] { return target.count("copy 18 from page") == 1; }, 5000));
    ASSERT_TRUE(
        waitUntil([] { return clipboardText() == std::optional<std::wstring>(L"before the dialog capture"); }, 5000));
    const auto early = varnel.folder.notebookOnceSaved(1, 1500);
    EXPECT_TRUE(!early || early->count() == 0) << "added while the dialog was open";
    EXPECT_TRUE(IsWindow(dialog));

    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(varnel.folder.notebookOnceSaved(1));
    // Had the press in the dialog started a capture, its note or its empty New Note dialog
    // would be there by now.
    EXPECT_EQ(nullptr, varnel.varnel->waitForWindow(res::getText("noteedit.new.title"), 2000));
    const auto notebook = varnel.folder.notebookOnceSaved(2, 500);
    ASSERT_TRUE(notebook);
    ASSERT_EQ(1, notebook->count());
    EXPECT_EQ(L"made while editing", notebook->note(0).text());
    EXPECT_EQ(1, target.count("copy 18 from page"));
}

// Where the time of a capture goes: from the hot key to the copy keys reaching the target,
// the target's own copy, and from the copied data to the note in the notebook file; for a
// line and for about a megabyte, from the same program. Printed, not asserted.
TEST(Clipping, TimeOfACapture) {
    Varnel varnel;
    ASSERT_NE(varnel.frame, nullptr);
    const std::string line = "A line of about sixty characters, repeated to a megabyte.\r\n";
    std::string big;
    while (big.size() < 1024 * 1024) {
        big += line;
    }
    int count = 0;
    for (const std::string& text : {line, big}) {
        varnel.folder.write(L"clip.txt", text);
        ClipTarget target(varnel.folder, arg(L"text-file", varnel.folder.file(L"clip.txt")));
        HWND window = target.window();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(bringToFront(window));
        // The user presses the key at a program that has finished drawing: a megabyte in an
        // edit control repaints for a while after it comes to the front, and that time is
        // not the capture's.
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 30000, &ignored);
        ASSERT_TRUE(setClipboardText(L"small"));

        LARGE_INTEGER frequency;
        LARGE_INTEGER start;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        pressKey(VK_F12, true);
        const auto notebook = varnel.folder.notebookOnceSaved(++count, 60000);
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);
        ASSERT_TRUE(notebook);
        ASSERT_EQ(count, notebook->count())
            << target.dump() << keysDown() << "\nNew Note dialog open: "
            << (varnel.varnel->waitForWindow(res::getText("noteedit.new.title"), 0) != nullptr);
        EXPECT_EQ(withoutCr(std::wstring(text.begin(), text.end())), notebook->note(count - 1).text());

        auto ms = [&](const LARGE_INTEGER& at) {
            return static_cast<double>(at.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
        };
        std::vector<double> times;
        const std::vector<std::string> lines = clipTargetLog(target.log, &times);
        double hotkey = 0;  // the target sees the Ctrl of the user's Ctrl+F12
        double keys = 0;
        double copied = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (hotkey == 0 && lines[i] == "key ctrl+0x11 focus page") {
                hotkey = times[i];
            } else if (lines[i] == "key ctrl+0x43 focus page") {
                keys = times[i];
            } else if (lines[i].rfind("copy ", 0) == 0) {
                copied = times[i];
            }
        }
        ASSERT_GT(keys, 0.0) << target.dump();
        ASSERT_GT(copied, 0.0) << target.dump();
        std::printf(
            "TIME clip %zu bytes: hot key to note in notebook.dat %.0f ms = hot key to copy keys at the "
            "target %.0f ms (the target took the hot key's Ctrl after %.0f ms) + the target's copy %.0f ms "
            "+ copied data to note saved %.0f ms (polled every 25 ms)\n",
            text.size(), ms(end) - ms(start), keys - ms(start), hotkey > 0 ? hotkey - ms(start) : -1.0, copied - keys,
            ms(end) - copied);
    }
}

}  // namespace
