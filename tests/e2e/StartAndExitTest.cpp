#include "Input.hpp"
#include "ProgramFolder.hpp"
#include "TopWindows.hpp"
#include "VarnelProcess.hpp"
#include "Wait.hpp"

#include "app/Rect.hpp"
#include "app/Settings.hpp"
#include "app/SettingsKeeper.hpp"
#include "app/model/Note.hpp"
#include "app/model/Notebook.hpp"
#include "res/StringsBundle.hpp"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace e2e;

std::wstring joined(const std::vector<std::wstring>& names) {
    std::wstring text;
    for (const std::wstring& name : names) {
        text += (text.empty() ? L"" : L", ") + name;
    }
    return text;
}

// The bytes of a notebook file with no notes, written out from the file's layout here,
// independently of the program's writer; with a claimed count above 0 the notes are
// missing.
std::string emptyNotebookBytes(std::uint32_t claimedNotes) {
    std::string bytes;
    auto u8 = [&](unsigned value) { bytes.push_back(static_cast<char>(value)); };
    auto u16 = [&](unsigned value) {
        u8(value & 0xFF);
        u8((value >> 8) & 0xFF);
    };
    auto u32 = [&](std::uint32_t value) {
        u16(value & 0xFFFF);
        u16(value >> 16);
    };
    u32(22);
    bytes += "serialization::archive";
    u8(5);
    for (unsigned size : {4, 4, 4, 8}) {
        u8(size);
    }
    u32(1);
    u8(0), u8(1), u16(1), u8(1), u8(0), u32(0);  // the notebook handle and the notebook
    u8(0), u8(1), u16(3), u8(1), u8(0), u32(1);  // the note vector's handle and the vector
    u32(claimedNotes);
    u32(0);
    return bytes;
}

TEST(StartAndExit, AFirstStartShowsTheTitledMainWindowAndTheCloseBoxLeavesAnEmptyNotebook) {
    ProgramFolder folder;
    VarnelProcess varnel(folder.path());

    HWND frame = varnel.waitForMainWindow();
    ASSERT_NE(frame, nullptr) << "the main window did not appear";
    ASSERT_TRUE(varnel.waitUntilIdle());
    EXPECT_EQ(textOf(frame), res::getText("app.title"));
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_FALSE(IsIconic(frame));
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(frame, &placement));

    // Closing to the tray is off in a new folder: the close box ends the program.
    ASSERT_TRUE(bringToFront(frame));
    const std::optional<POINT> closeBox = closeBoxOf(frame);
    ASSERT_TRUE(closeBox.has_value()) << "the main window has no close box";
    clickAt(*closeBox);

    const std::optional<DWORD> code = varnel.waitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end after its close box was clicked";
    EXPECT_EQ(*code, 0u);

    EXPECT_TRUE(folder.leftovers().empty()) << "left behind: " << testing::PrintToString(joined(folder.leftovers()));
    ASSERT_TRUE(folder.exists(L"notebook.dat"));
    EXPECT_EQ(folder.read(L"notebook.dat"), emptyNotebookBytes(0));
    EXPECT_EQ(folder.notebook()->count(), 0);
    // The window's place is kept for the next start.
    ASSERT_TRUE(folder.exists(L"varnel.settings"));
    const RECT& normal = placement.rcNormalPosition;
    EXPECT_EQ(folder.settings().get<app::Rect>(app::Settings::normalPositionKey, app::Rect()),
              (app::Rect{normal.left, normal.top, normal.right, normal.bottom}));
}

// Starts Varnel with the given arguments, then once more: the second start must hand over
// to the first and end with 0, and the first must be on the screen in front, restored.
void expectSecondStartBringsFirstForward(const std::wstring& firstArguments, bool minimiseFirst) {
    ProgramFolder folder;
    VarnelProcess first(folder.path(), firstArguments);
    HWND frame = first.waitForMainWindow();
    ASSERT_NE(frame, nullptr) << "the main window did not appear";
    ASSERT_TRUE(first.waitUntilIdle());
    if (minimiseFirst) {
        ShowWindow(frame, SW_MINIMIZE);
        ASSERT_TRUE(waitUntil([&] { return IsIconic(frame) != FALSE; }));
    } else {
        ASSERT_FALSE(IsWindowVisible(frame)) << "a start with -m showed the window";
    }

    VarnelProcess second(folder.path());
    const std::optional<DWORD> code = second.waitForExit();
    ASSERT_TRUE(code.has_value()) << "the second start did not end";
    EXPECT_EQ(*code, 0u);

    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(frame) && !IsIconic(frame); }))
        << "the first instance's window was not restored";
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == frame; }, 5000))
        << "the first instance's window is not in front";
    EXPECT_TRUE(first.isRunning());
    EXPECT_EQ(topWindowsOf(second.id(), L"Oskel.Frame").size(), 0u);

    first.postClose();
    const std::optional<DWORD> firstCode = first.waitForExit();
    ASSERT_TRUE(firstCode.has_value()) << "the first instance did not end when closed";
    EXPECT_EQ(*firstCode, 0u);
}

TEST(SingleInstance, ASecondStartEndsWithZeroAndRestoresTheMinimisedFirst) {
    expectSecondStartBringsFirstForward(L"", true);
}

TEST(SingleInstance, ASecondStartShowsTheFirstThatStartedHiddenWithDashM) {
    expectSecondStartBringsFirstForward(L"-m", false);
}

TEST(DamagedNotebook, StartingShowsAnErrorBoxEndsWithMinusOneAndLeavesTheFileAlone) {
    struct Damage {
        const char* what;
        std::string bytes;
    };
    const Damage damages[] = {
        {"an empty file", std::string()},
        {"text that is no notebook", "These are not the notes you are looking for.\r\n"},
        {"a header promising notes that are not there", emptyNotebookBytes(1000)},
        {"a header cut short", emptyNotebookBytes(0).substr(0, 30)},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        ProgramFolder folder;
        folder.write(L"notebook.dat", damage.bytes);
        VarnelProcess varnel(folder.path());

        HWND box = varnel.waitForDialog(res::getText("error"));
        ASSERT_NE(box, nullptr) << "no error box";
        EXPECT_FALSE(messageTextOf(box).empty());
        EXPECT_EQ(varnel.mainWindow(), nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);

        const std::optional<DWORD> code = varnel.waitForExit();
        ASSERT_TRUE(code.has_value()) << "the program did not end after its error box";
        EXPECT_EQ(*code, 0xFFFFFFFFu);
        EXPECT_EQ(folder.read(L"notebook.dat"), damage.bytes);
        EXPECT_TRUE(folder.leftovers().empty()) << testing::PrintToString(joined(folder.leftovers()));
    }
}

TEST(Clipboard, PasteFromTheEditMenuAddsTheClipboardTextAsANoteThatIsSavedAtExit) {
    ProgramFolder folder;
    VarnelProcess varnel(folder.path());
    HWND frame = varnel.waitForMainWindow();
    ASSERT_NE(frame, nullptr) << "the main window did not appear";
    ASSERT_TRUE(varnel.waitUntilIdle());
    ASSERT_TRUE(setClipboardText(L"Milk\r\nEggs"));

    // As a user does it: Alt+E opens the Edit menu, P chooses Paste.
    ASSERT_TRUE(bringToFront(frame));
    ASSERT_TRUE(chooseMenu('E', {'P'}));
    ASSERT_TRUE(varnel.waitUntilIdle());
    EXPECT_EQ(clipboardText(), std::optional<std::wstring>(L"Milk\r\nEggs"));

    varnel.postClose();
    const std::optional<DWORD> code = varnel.waitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end when closed";
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(folder.leftovers().empty()) << testing::PrintToString(joined(folder.leftovers()));
    const auto notebook = folder.notebook();
    ASSERT_EQ(notebook->count(), 1);
    // Nobody owns the clipboard, so the title comes from the text's first line.
    EXPECT_EQ(notebook->note(0).text(), L"Milk\nEggs");
    EXPECT_EQ(notebook->note(0).title(), L"Milk");
}

}  // namespace
