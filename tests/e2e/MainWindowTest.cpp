#include "Input.hpp"
#include "ProgramFolder.hpp"
#include "Session.hpp"
#include "TopWindows.hpp"
#include "VarnelProcess.hpp"
#include "Wait.hpp"

#include "app/Settings.hpp"
#include "app/SettingsKeeper.hpp"
#include "app/model/Note.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookExchange.hpp"
#include "res/StringsBundle.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace e2e;

HWND childOfClass(HWND parent, const std::wstring& className) {
    struct Search {
        const std::wstring* name;
        HWND found = nullptr;
    } search{&className};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (classNameOf(window) == *s->name) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Chooses a button of a dialog or message box by its text, as its click would: a click
// message to a box still being shown can be lost, the command cannot.
bool pushButton(HWND dialog, const std::wstring& text) {
    HWND button = FindWindowExW(dialog, nullptr, L"Button", text.c_str());
    if (button == nullptr) {
        return false;
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
}

// The text pasted into the running program as a new note, with Ctrl+V as a user would.
void pasteNote(const Session& run, const std::wstring& text) {
    ASSERT_TRUE(setClipboardText(text));
    ASSERT_TRUE(bringToFront(run.frame));
    pressKey('V', true);
}

// A notebook file held open by another program cannot be replaced: the exit says so, keeps
// the program and its notes, and Retry saves once the file is free.
TEST(MainWindow, ExitWithTheNotebookLockedAsksAndRetrySaves) {
    Session run(notesWithTexts({L"first"}));
    ASSERT_NE(run.frame, nullptr);
    pasteNote(run, L"added while locked");
    ASSERT_TRUE(run.folder.notebookOnceSaved(2));

    HANDLE lock = CreateFileW(run.folder.file(L"notebook.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    run.varnel->postClose();
    HWND box = run.varnel->waitForDialog(res::getText("app.savefailed.title"), 30000);
    ASSERT_NE(box, nullptr) << "no message about the failed save";
    EXPECT_NE(std::wstring::npos, messageTextOf(box).find(L"notebook.dat"));
    EXPECT_TRUE(run.varnel->isRunning());
    CloseHandle(lock);

    ASSERT_TRUE(pushButton(box, L"&Retry"));
    ASSERT_EQ(std::optional<DWORD>(0), run.varnel->waitForExit(30000));
    const auto notebook = run.folder.notebook();
    ASSERT_EQ(2, notebook->count());
    EXPECT_EQ(L"added while locked", notebook->note(1).text());
}

// Windows ends a session by asking, then telling; the program may be killed right after.
TEST(MainWindow, TheEndOfTheSessionRightAfterAChangeKeepsIt) {
    Session run(notesWithTexts({L"first"}));
    ASSERT_NE(run.frame, nullptr);
    pasteNote(run, L"just before logoff");
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(run.frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &answer));
    EXPECT_NE(0u, answer);
    ASSERT_TRUE(SendMessageTimeoutW(run.frame, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 30000, &answer));
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, run.varnel->id());
    ASSERT_NE(process, nullptr);
    TerminateProcess(process, 1);
    CloseHandle(process);
    run.varnel->waitForExit();

    const auto notebook = run.folder.notebook();
    ASSERT_EQ(2, notebook->count());
    EXPECT_EQ(L"just before logoff", notebook->note(1).text());
}

TEST(MainWindow, TypingInTheListSearchesAndEscClearsThenMinimises) {
    Session run(notesWithTexts({L"apple pie", L"banana", L"cherry"}));
    ASSERT_NE(run.frame, nullptr);
    HWND edit = childOfClass(run.frame, L"Oskel.Edit");
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(bringToFront(run.frame));
    typeText(L"an");
    ASSERT_TRUE(waitUntil([&] { return textOf(edit) == L"an"; })) << "typed into the list: " << textOf(edit).size();

    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitUntil([&] { return textOf(edit).empty(); }));
    EXPECT_TRUE(IsWindowVisible(run.frame));
    pressKey(VK_ESCAPE);
    // Minimising goes to the tray by default.
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(run.frame) || IsIconic(run.frame); }));
    EXPECT_TRUE(run.varnel->isRunning());
}

TEST(MainWindow, DeleteAsksAndRemovesOnlyOnYes) {
    Session run(notesWithTexts({L"keep me", L"delete me"}));
    ASSERT_NE(run.frame, nullptr);
    ASSERT_TRUE(bringToFront(run.frame));
    pressKey(VK_END);
    pressKey(VK_DELETE);
    HWND box = run.varnel->waitForDialog(res::getText("confirmdelete.title.one"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(L"Delete note\n'delete me'?", messageTextOf(box));
    ASSERT_TRUE(pushButton(box, L"&No"));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));

    ASSERT_TRUE(bringToFront(run.frame));
    pressKey(VK_DELETE);
    box = run.varnel->waitForDialog(res::getText("confirmdelete.title.one"));
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(pushButton(box, L"&Yes"));
    const auto notebook = run.folder.notebookOnceSaved(1);
    ASSERT_TRUE(notebook);
    ASSERT_EQ(1, notebook->count());
    EXPECT_EQ(L"keep me", notebook->note(0).text());
}

TEST(MainWindow, CopyingTwoNotesGivesTheirTextWithCrLf) {
    Session run(notesWithTexts({L"first\nline", L"second"}));
    ASSERT_NE(run.frame, nullptr);
    ASSERT_TRUE(bringToFront(run.frame));
    ASSERT_TRUE(setClipboardText(L"before"));
    pressKey('A', true);
    pressKey('C', true);
    ASSERT_TRUE(waitUntil([] { return clipboardText() != std::optional<std::wstring>(L"before"); }));

    const auto notebook = run.folder.notebook();
    const std::wstring expected = app::model::notesAsText({&notebook->note(0), &notebook->note(1)});
    EXPECT_EQ(std::optional<std::wstring>(expected), clipboardText());
    EXPECT_NE(std::wstring::npos, expected.find(L"first\r\nline\r\n\r\n\r\n\r\n["));
}

// The colour menu by keys, as a user opens it: View, Color Theme, Red.
TEST(MainWindow, AThemeChosenInTheMenuIsSavedAndKept) {
    Session run(notesWithTexts({L"note"}));
    ASSERT_NE(run.frame, nullptr);
    ASSERT_TRUE(bringToFront(run.frame));
    ASSERT_TRUE(chooseMenu('V', {'C', 'R'}));
    ASSERT_TRUE(waitUntil([&] {
        return run.folder.exists(L"varnel.settings")
               && run.folder.settings().get<app::ColorRef>(app::Settings::baseColorKey, 0) == app::rgb(255, 30, 0);
    }));

    // The choice is kept: a restart starts red and writes red back.
    run.varnel->postClose();
    ASSERT_EQ(std::optional<DWORD>(0), run.varnel->waitForExit());
    VarnelProcess again(run.folder.path());
    ASSERT_NE(again.waitForMainWindow(), nullptr);
    again.waitUntilIdle();
    again.postClose();
    ASSERT_EQ(std::optional<DWORD>(0), again.waitForExit());
    EXPECT_EQ(app::rgb(255, 30, 0), run.folder.settings().get<app::ColorRef>(app::Settings::baseColorKey, 0));
}

TEST(MainWindow, ThePlacementSurvivesARestart) {
    ProgramFolder folder;
    RECT placed = {};
    {
        VarnelProcess varnel(folder.path());
        HWND frame = varnel.waitForMainWindow();
        ASSERT_NE(frame, nullptr);
        varnel.waitUntilIdle();
        SetWindowPos(frame, nullptr, 120, 90, 530, 610, SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(frame, &placed);
        varnel.postClose();
        ASSERT_EQ(std::optional<DWORD>(0), varnel.waitForExit());
    }
    VarnelProcess again(folder.path());
    HWND frame = again.waitForMainWindow();
    ASSERT_NE(frame, nullptr);
    again.waitUntilIdle();
    RECT now = {};
    GetWindowRect(frame, &now);
    EXPECT_EQ(placed.left, now.left);
    EXPECT_EQ(placed.top, now.top);
    EXPECT_EQ(placed.right - placed.left, now.right - now.left);
    EXPECT_EQ(placed.bottom - placed.top, now.bottom - now.top);
}

// With closing to the tray on, the close box only hides the window; the tray icon's click
// brings it back.
TEST(MainWindow, CloseToTrayHidesAndTheTrayIconRestores) {
    ProgramFolder folder;
    folder.storeSetting(app::Settings::closeToTrayKey, true);
    VarnelProcess varnel(folder.path());
    HWND frame = varnel.waitForMainWindow();
    ASSERT_NE(frame, nullptr);
    varnel.waitUntilIdle();
    varnel.postClose();
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(frame); }));
    EXPECT_TRUE(varnel.isRunning());

    // What the shell sends for a click on the icon.
    PostMessageW(frame, WM_USER + 103, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(frame) && !IsIconic(frame); }));
    // Closing only hides it: the test ends it.
    varnel.end(0);
}

// A key taken by another program costs only that key: the show key here is taken, and the
// new-note key still opens a new note.
TEST(MainWindow, HotKeysWorkOneByOne) {
    ProgramFolder folder;
    folder.storeSetting(app::Settings::newNoteHotkeyKey, static_cast<int>(VK_F11));
    folder.storeSetting(app::Settings::newNoteHotkeyModifiersKey, static_cast<int>(MOD_CONTROL | MOD_ALT));
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F12)) << "the show key is free to take";
    VarnelProcess varnel(folder.path());
    HWND frame = varnel.waitForMainWindow();
    ASSERT_NE(frame, nullptr);
    varnel.waitUntilIdle();
    pressKey(VK_F11, true, true);
    HWND dialog = varnel.waitForWindow(res::getText("noteedit.new.title"));
    UnregisterHotKey(nullptr, 1);
    ASSERT_NE(dialog, nullptr) << "the new-note hot key did not work";
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));

    // Free again, the show key is still Varnel's after a restart; here it toggles.
    varnel.postClose();
    ASSERT_EQ(std::optional<DWORD>(0), varnel.waitForExit());
    VarnelProcess second(folder.path());
    frame = second.waitForMainWindow();
    ASSERT_NE(frame, nullptr);
    second.waitUntilIdle();
    ASSERT_TRUE(bringToFront(frame));
    pressKey(VK_F12, true, true);
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(frame) || IsIconic(frame); }));
    pressKey(VK_F12, true, true);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(frame) && !IsIconic(frame); }));
}

// Picks the file type of an open or save dialog, as choosing it in the list would.
void chooseFileType(HWND dialog, int index) {
    constexpr int typeList = 0x470;  // the dialogs' "files of type" list
    HWND list = GetDlgItem(dialog, typeList);
    ASSERT_NE(list, nullptr) << "no file type list in the dialog";
    SendMessageW(list, CB_SETCURSEL, index, 0);
    // The dialog takes the choice when the list reports it settled.
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(typeList, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

// Names the file in an open or save dialog and confirms it.
void chooseFile(HWND dialog, const std::wstring& path) {
    constexpr int nameBox = 0x47C;  // the dialogs' file name box
    HWND name = GetDlgItem(dialog, nameBox);
    ASSERT_NE(name, nullptr) << "no file name box in the dialog";
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Export to XML from one notebook, import into another: the notes arrive as they were.
TEST(MainWindow, ExportAndImportCarryTheNotesAcross) {
    Session from(notesWithTexts({L"first note\nwith two lines", L"second"}));
    ASSERT_NE(from.frame, nullptr);
    const std::wstring exported = from.folder.file(L"exported notes.xml");
    ASSERT_TRUE(bringToFront(from.frame));
    ASSERT_TRUE(chooseMenu('F', {'E'}));
    HWND save = from.varnel->waitForDialog(res::getText("export.title"));
    ASSERT_NE(save, nullptr);
    chooseFileType(save, 1);
    chooseFile(save, exported);
    HWND done = from.varnel->waitForDialog(res::getText("export.successmsg.title"));
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(res::formatText("export.successmsg", L"2"), messageTextOf(done));
    PostMessageW(done, WM_COMMAND, IDOK, 0);
    const std::string bytes = from.folder.read(L"exported notes.xml");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::string("\xFF\xFE<\0", 4), bytes.substr(0, 4)) << "the XML type was chosen";
    // One instance at a time: the second program starts once the first has ended.
    from.varnel->postClose();
    ASSERT_EQ(std::optional<DWORD>(0), from.varnel->waitForExit());

    Session into(notesWithTexts({L"already here"}));
    ASSERT_NE(into.frame, nullptr);
    ASSERT_TRUE(bringToFront(into.frame));
    ASSERT_TRUE(chooseMenu('F', {'I'}));
    HWND open = into.varnel->waitForDialog(res::getText("import.title"));
    ASSERT_NE(open, nullptr);
    chooseFileType(open, 1);
    chooseFile(open, exported);
    done = into.varnel->waitForDialog(res::getText("import.successmsg.title"));
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(res::formatText("import.successmsg", L"2"), messageTextOf(done));
    PostMessageW(done, WM_COMMAND, IDOK, 0);

    const auto notebook = into.folder.notebookOnceSaved(3);
    ASSERT_TRUE(notebook);
    const auto original = from.folder.notebook();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(original->note(i).text(), notebook->note(i + 1).text());
        EXPECT_EQ(original->note(i).title(), notebook->note(i + 1).title());
        EXPECT_EQ(original->note(i).created(), notebook->note(i + 1).created());
    }
}

}  // namespace
