// The dialogs of the running program, driven with keys and clicks as a user drives them;
// what they did is read back from the notebook and settings files the program wrote.

#include "Input.hpp"
#include "ProgramFolder.hpp"
#include "Session.hpp"
#include "TopWindows.hpp"
#include "VarnelProcess.hpp"
#include "Wait.hpp"
#include "win/ScreenCapture.hpp"

#include "app/Settings.hpp"
#include "app/SettingsKeeper.hpp"
#include "app/model/Note.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookStore.hpp"
#include "gdi/Color.hpp"
#include "res/StringsBundle.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace e2e;
using app::Settings;
using app::model::Note;
using app::model::Notebook;

struct NoteFields {
    std::wstring text;
    std::wstring title;
    std::wstring tags;
    std::wstring link;
};

// A notebook of these notes, written before the start.
std::vector<Note> notesOf(const std::vector<NoteFields>& fields) {
    std::vector<Note> notes;
    for (const NoteFields& f : fields) {
        Note note(f.text, std::wstring(), f.title, Note::now());
        note.setTags(f.tags);
        note.setLink(f.link);
        notes.push_back(note);
    }
    return notes;
}

// The notebook as the program saved it, once it satisfies the condition; nullptr when it
// never did in time.
std::shared_ptr<Notebook> notebookWhen(const ProgramFolder& folder, const std::function<bool(const Notebook&)>& done) {
    std::shared_ptr<Notebook> found;
    waitUntil([&] {
        try {
            auto notebook = folder.notebook();
            if (done(*notebook)) {
                found = notebook;
                return true;
            }
        } catch (const std::exception&) {
            // absent, or being replaced at this moment
        }
        return false;
    });
    return found;
}

// The settings file once it satisfies the condition.
bool settingsWhen(const ProgramFolder& folder, const std::function<bool(const app::SettingsKeeper&)>& done) {
    return waitUntil([&] {
        try {
            return folder.exists(L"varnel.settings") && done(folder.settings());
        } catch (const std::exception&) {
            return false;
        }
    });
}

// The children of a window of a class, in creation order.
std::vector<HWND> childrenOfClass(HWND parent, const std::wstring& className) {
    struct Search {
        const std::wstring* name;
        std::vector<HWND> found;
    } search{&className, {}};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (classNameOf(window) == *s->name) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND childWithText(HWND parent, const std::wstring& className, const std::wstring& text) {
    for (HWND child : childrenOfClass(parent, className)) {
        if (textOf(child) == text) {
            return child;
        }
    }
    return nullptr;
}

POINT centreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A click in the middle of a button, as the user gives it.
bool clickButton(HWND dialog, const std::wstring& text) {
    HWND button = childWithText(dialog, L"Oskel.Button", text);
    if (button == nullptr) {
        button = FindWindowExW(dialog, nullptr, L"Button", text.c_str());
    }
    if (button == nullptr) {
        return false;
    }
    clickAt(centreOf(button));
    return true;
}

// Message boxes are system dialogs: their buttons are answered with BM_CLICK.
bool answerBox(HWND box, const std::wstring& button) {
    HWND found = FindWindowExW(box, nullptr, L"Button", button.c_str());
    if (found == nullptr) {
        return false;
    }
    PostMessageW(found, BM_CLICK, 0, 0);
    return waitUntil([&] { return !IsWindow(box); }, 10000);
}

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// A shown top-level window of the program with this title (our dialogs are "Oskel.Dialog",
// message boxes "#32770"), in front and ready for keys.
HWND waitForWindow(const VarnelProcess& varnel, const std::wstring& title, unsigned timeoutMs = 10000) {
    HWND found = varnel.waitForWindow(title, timeoutMs);
    if (found != nullptr) {
        bringToFront(found);
        varnel.waitUntilIdle(5000);
    }
    return found;
}

bool closed(HWND window) {
    return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 10000);
}

// Whether a combination is held by some program: this process tries to take it.
bool isTaken(UINT modifiers, UINT key) {
    if (RegisterHotKey(nullptr, 0x7001, modifiers, key)) {
        UnregisterHotKey(nullptr, 0x7001);
        return false;
    }
    return true;
}

// The program started over these notes, the folder prepared first, its window in front.
struct Started : Session {
    explicit Started(const std::vector<NoteFields>& notes = {}, const Prepare& before = Prepare())
        : Session([&](const ProgramFolder& folder) {
              if (!notes.empty()) {
                  folder.writeNotebook(notesOf(notes));
              }
              if (before) {
                  before(folder);
              }
          }) {
        if (frame != nullptr) {
            bringToFront(frame);
        }
    }
    // Closes the program, which writes its settings a last time.
    bool exit() {
        varnel->postClose();
        return varnel->waitForExit() == std::optional<DWORD>(0);
    }
};

// A note added by pasting: a change that reaches the file after whatever came before it.
void pasteMarker(Started& run) {
    ASSERT_TRUE(setClipboardText(L"marker"));
    ASSERT_TRUE(bringToFront(run.frame));
    pressKey('V', true);
}

TEST(Dialogs, NoteEditStoresANewNoteAndDiscardsOnlyWhenTold) {
    Started run({{L"kept text\nsecond line", L"Kept title", L"one two", L"https://kept.example/"}});
    ASSERT_NE(run.frame, nullptr);

    // Insert, then every field in the order of the dialog.
    pressKey(VK_INSERT);
    HWND dialog = waitForWindow(*run.varnel, res::getText("noteedit.new.title"));
    ASSERT_NE(dialog, nullptr);
    typeText(L"Typed title \u00e9\u20ac");
    pressKey(VK_TAB);
    typeText(L"first line");
    pressKey(VK_RETURN);
    typeText(L"second line\u2014end");
    pressKey(VK_DOWN, true);
    typeText(L"Foo, bar;baz");
    pressKey(VK_TAB);
    typeText(L"https://example.com/a?b=1&c={2}");
    pressKey(VK_RETURN, true);
    ASSERT_TRUE(closed(dialog));
    auto notebook = notebookWhen(run.folder, [](const Notebook& n) { return n.count() == 2; });
    ASSERT_TRUE(notebook);
    const Note& added = notebook->note(1);
    EXPECT_EQ(L"Typed title \u00e9\u20ac", added.title());
    EXPECT_EQ(L"first line\nsecond line\u2014end", added.text());
    EXPECT_EQ(L"bar baz foo", added.tagString());
    EXPECT_EQ(L"https://example.com/a?b=1&c={2}", added.link());

    // Every field of the first note changed, then Esc: No keeps the dialog and the typing,
    // Yes throws it away.
    ASSERT_TRUE(bringToFront(run.frame));
    pressKey(VK_HOME);
    pressKey(VK_RETURN);
    dialog = waitForWindow(*run.varnel, res::getText("noteedit.title") + L" 'Kept title'");
    ASSERT_NE(dialog, nullptr);
    typeText(L"X");
    pressKey(VK_TAB);
    typeText(L"Y");
    pressKey(VK_DOWN, true);
    typeText(L" three");
    pressKey(VK_TAB);
    typeText(L"W");
    pressKey(VK_ESCAPE);
    HWND box = run.varnel->waitForDialog(res::getText("noteedit.discard.title"), 10000);
    ASSERT_NE(box, nullptr) << "Esc after changes did not ask";
    ASSERT_TRUE(answerBox(box, L"&No"));
    EXPECT_TRUE(IsWindowVisible(dialog));
    ASSERT_TRUE(bringToFront(dialog));
    pressKey(VK_ESCAPE);
    box = run.varnel->waitForDialog(res::getText("noteedit.discard.title"), 10000);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(answerBox(box, L"&Yes"));
    ASSERT_TRUE(closed(dialog));

    pasteMarker(run);
    notebook = notebookWhen(run.folder, [](const Notebook& n) { return n.count() == 3; });
    ASSERT_TRUE(notebook);
    const Note& kept = notebook->note(0);
    EXPECT_EQ(L"Kept title", kept.title());
    EXPECT_EQ(L"kept text\nsecond line", kept.text());
    EXPECT_EQ(L"one two", kept.tagString());
    EXPECT_EQ(L"https://kept.example/", kept.link());
}

// Far beyond the 32K characters an edit control holds by default.
TEST(Dialogs, NoteEditKeepsEveryCharacterOfALongNote) {
    std::wstring text;
    // No TAB: the note turns those into spaces.
    const std::wstring pieces = L"abc \u00e9\u00fc\u4e2d\U0001F600 xyz,0123456789";
    for (int line = 0; text.size() < 70000; ++line) {
        text += std::to_wstring(line) + L": ";
        while (text.size() % 97 != 0) {
            text += pieces[text.size() % pieces.size()];
        }
        text += L'\n';
    }
    // No broken surrogate pair at the cut.
    text.resize(70000);
    if (text.back() >= 0xD800 && text.back() <= 0xDBFF) {
        text.back() = L'.';
    }
    ASSERT_EQ(70000u, text.size());
    Started run({{text, L"Long", L"", L""}});
    ASSERT_NE(run.frame, nullptr);

    pressKey(VK_HOME);
    pressKey(VK_RETURN);
    HWND dialog = waitForWindow(*run.varnel, res::getText("noteedit.title") + L" 'Long'", 20000);
    ASSERT_NE(dialog, nullptr);
    pressKey(VK_TAB);
    pressKey(VK_END, true);
    typeText(L"!");
    pressKey(VK_RETURN, true);
    ASSERT_TRUE(closed(dialog));
    const auto notebook = notebookWhen(run.folder, [](const Notebook& n) { return n.note(0).text().back() == L'!'; });
    ASSERT_TRUE(notebook) << "the edit was not stored";
    const std::wstring stored = notebook->note(0).text();
    EXPECT_EQ(text.size() + 1, stored.size());
    const std::size_t common = std::min(text.size(), stored.size());
    const auto mismatch = std::mismatch(text.begin(), text.begin() + common, stored.begin());
    const std::size_t at = mismatch.first - text.begin();
    EXPECT_EQ(common, at) << "first difference at " << at << ": "
                          << testing::PrintToString(stored.substr(at < 20 ? 0 : at - 20, 60)) << " instead of "
                          << testing::PrintToString(text.substr(at < 20 ? 0 : at - 20, 60));
}

// Whatever the stored placement says, the dialog opens where the user can reach it, and
// closing keeps the place it really had.
TEST(Dialogs, NoteEditOpensOnTheDesktopWhateverPlacementIsStored) {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const std::vector<Session::Prepare> stored = {
        [](const ProgramFolder& f) {
            f.storeSetting(Settings::noteEditDialogPlacementKey, app::Rect{5000, 4000, 5590, 4520});
        },
        [](const ProgramFolder& f) {
            f.storeSetting(Settings::noteEditDialogPlacementKey, app::Rect{-300, -200, 4000, 3000});
        },
        [](const ProgramFolder& f) {
            f.storeSetting(Settings::noteEditDialogPlacementKey, std::wstring(L"12, garbage, \u00ff, -"));
        },
    };
    for (std::size_t i = 0; i < stored.size(); ++i) {
        SCOPED_TRACE("placement " + std::to_string(i));
        Started run({}, stored[i]);
        ASSERT_NE(run.frame, nullptr);
        pressKey(VK_INSERT);
        HWND dialog = waitForWindow(*run.varnel, res::getText("noteedit.new.title"));
        ASSERT_NE(dialog, nullptr);
        RECT shown{};
        GetWindowRect(dialog, &shown);
        EXPECT_GE(shown.left, desktop.left);
        EXPECT_GE(shown.top, desktop.top);
        EXPECT_LE(shown.right, desktop.right);
        EXPECT_LE(shown.bottom, desktop.bottom);
        EXPECT_GE(shown.right - shown.left, 200);
        EXPECT_GE(shown.bottom - shown.top, 200);
        pressKey(VK_ESCAPE);
        ASSERT_TRUE(closed(dialog));
        ASSERT_TRUE(run.exit());
        const app::Rect kept = run.folder.settings().get<app::Rect>(Settings::noteEditDialogPlacementKey, {});
        EXPECT_EQ((app::Rect{shown.left, shown.top, shown.right, shown.bottom}), kept);
    }
}

TEST(Dialogs, TagsAreAddedRemovedAndReplacedOnTheRightNotes) {
    Started run({{L"first note", L"", L"old keep", L""},
                 {L"second note", L"", L"old", L""},
                 {L"third note", L"", L"old alpha", L""}});
    ASSERT_NE(run.frame, nullptr);

    // The first two notes selected, F4.
    pressKey(VK_HOME);
    pressKey(VK_DOWN, false, false, true);
    pressKey(VK_F4);
    HWND dialog = waitForWindow(*run.varnel, res::getText("tagsedit.title"));
    ASSERT_NE(dialog, nullptr);
    typeText(L"Alpha, beta");
    pressKey(VK_TAB);
    typeText(L"old");
    pressKey(VK_RETURN);
    ASSERT_TRUE(closed(dialog));
    auto notebook = notebookWhen(run.folder, [](const Notebook& n) { return n.note(0).tagString() != L"keep old"; });
    ASSERT_TRUE(notebook);
    EXPECT_EQ(L"alpha beta keep", notebook->note(0).tagString());
    EXPECT_EQ(L"alpha beta", notebook->note(1).tagString());
    EXPECT_EQ(L"alpha old", notebook->note(2).tagString());

    // Only the third note shows; the replacement still reaches all three.
    ASSERT_TRUE(bringToFront(run.frame));
    typeText(L"thir");
    run.varnel->waitUntilIdle(5000);
    pressKey('E', false, true);
    pressKey('R');
    dialog = waitForWindow(*run.varnel, res::getText("replacetags.title"));
    ASSERT_NE(dialog, nullptr);
    typeText(L"alpha");
    pressKey(VK_TAB);
    typeText(L"gamma delta");
    pressKey(VK_RETURN);
    ASSERT_TRUE(closed(dialog));
    notebook = notebookWhen(run.folder, [](const Notebook& n) { return n.note(2).tagString() != L"alpha old"; });
    ASSERT_TRUE(notebook);
    EXPECT_EQ(L"beta delta gamma keep", notebook->note(0).tagString());
    EXPECT_EQ(L"beta delta gamma", notebook->note(1).tagString());
    EXPECT_EQ(L"delta gamma old", notebook->note(2).tagString());
}

HWND openHotkeyDialog(Started& run) {
    bringToFront(run.frame);
    pressKey('O', false, true);
    pressKey('H');
    return waitForWindow(*run.varnel, res::getText("options.hotkeys.title"));
}

TEST(Dialogs, HotKeysAreRecordedRegisteredAndStoredOnlyOnOk) {
    const UINT ctrlAlt = MOD_CONTROL | MOD_ALT;
    {
        SCOPED_TRACE("OK");
        Started run({}, [](const ProgramFolder& f) {
            f.storeSetting(Settings::newNoteHotkeyKey, static_cast<int>(VK_F11));
            f.storeSetting(Settings::newNoteHotkeyModifiersKey, static_cast<int>(MOD_CONTROL | MOD_ALT));
        });
        ASSERT_NE(run.frame, nullptr);
        ASSERT_TRUE(isTaken(ctrlAlt, VK_F11));
        HWND dialog = openHotkeyDialog(run);
        ASSERT_NE(dialog, nullptr);
        const std::vector<HWND> edits = childrenOfClass(dialog, L"Oskel.HotkeyEdit");
        ASSERT_EQ(3u, edits.size());
        EXPECT_EQ(L"Ctrl + Alt + F11", textOf(edits[2]));
        pressKey('N', true, true);
        pressKey(VK_TAB);
        pressKey(VK_F5, false, false, true);
        pressKey(VK_TAB);
        pressKey(VK_ESCAPE);
        ASSERT_TRUE(waitUntil([&] { return textOf(edits[2]) == L"None"; }, 5000));
        EXPECT_EQ(L"Ctrl + Alt + N", textOf(edits[0]));
        EXPECT_EQ(L"Shift + F5", textOf(edits[1]));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Esc in a box closed the dialog";
        pressKey(VK_RETURN);
        ASSERT_TRUE(closed(dialog));

        EXPECT_TRUE(isTaken(ctrlAlt, 'N'));
        EXPECT_TRUE(isTaken(MOD_SHIFT, VK_F5));
        EXPECT_FALSE(isTaken(MOD_CONTROL, VK_F12)) << "the old clip key is still held";
        EXPECT_FALSE(isTaken(ctrlAlt, VK_F12)) << "the old show key is still held";
        EXPECT_FALSE(isTaken(ctrlAlt, VK_F11)) << "the new-note key set to None is still held";
        ASSERT_TRUE(settingsWhen(
            run.folder, [](const app::SettingsKeeper& s) { return s.get<int>(Settings::newNoteHotkeyKey, -1) == 0; }));
        const app::SettingsKeeper settings = run.folder.settings();
        EXPECT_EQ('N', settings.get<int>(Settings::captureHotkeyKey, 0));
        EXPECT_EQ(static_cast<int>(ctrlAlt), settings.get<int>(Settings::captureHotkeyModifiersKey, 0));
        EXPECT_EQ(VK_F5, settings.get<int>(Settings::showHotkeyKey, 0));
        EXPECT_EQ(MOD_SHIFT, settings.get<int>(Settings::showHotkeyModifiersKey, 0));
    }
    {
        SCOPED_TRACE("Cancel");
        Started run;
        ASSERT_NE(run.frame, nullptr);
        ASSERT_TRUE(isTaken(MOD_CONTROL, VK_F12));
        HWND dialog = openHotkeyDialog(run);
        ASSERT_NE(dialog, nullptr);
        // The clip key is free while the dialog is open, so it can be pressed into its box.
        EXPECT_FALSE(isTaken(MOD_CONTROL, VK_F12));
        pressKey('N', true, true);
        pressKey(VK_TAB);
        pressKey(VK_F5, false, false, true);
        const std::vector<HWND> edits = childrenOfClass(dialog, L"Oskel.HotkeyEdit");
        ASSERT_EQ(3u, edits.size());
        ASSERT_TRUE(waitUntil([&] { return textOf(edits[1]) == L"Shift + F5"; }, 5000));
        ASSERT_TRUE(clickButton(dialog, res::getText("cancel")));
        ASSERT_TRUE(closed(dialog));
        EXPECT_TRUE(waitUntil([] { return isTaken(MOD_CONTROL, VK_F12); }, 5000)) << "the clip key did not come back";
        EXPECT_TRUE(isTaken(ctrlAlt, VK_F12));
        EXPECT_FALSE(isTaken(ctrlAlt, 'N'));
        EXPECT_FALSE(isTaken(MOD_SHIFT, VK_F5));
        ASSERT_TRUE(run.exit());
        const app::SettingsKeeper settings = run.folder.settings();
        EXPECT_EQ(VK_F12, settings.get<int>(Settings::captureHotkeyKey, VK_F12));
        EXPECT_EQ(MOD_CONTROL, settings.get<int>(Settings::captureHotkeyModifiersKey, MOD_CONTROL));
        EXPECT_EQ(VK_F12, settings.get<int>(Settings::showHotkeyKey, VK_F12));
        EXPECT_EQ(static_cast<int>(ctrlAlt), settings.get<int>(Settings::showHotkeyModifiersKey, ctrlAlt));
    }
}

TEST(Dialogs, AHotKeyTakenByAnotherProgramIsNamedAndKeepsTheDialogOpen) {
    Started run;
    ASSERT_NE(run.frame, nullptr);
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x7002, MOD_CONTROL | MOD_SHIFT, 'K'));
    HWND dialog = openHotkeyDialog(run);
    if (dialog == nullptr) {
        UnregisterHotKey(nullptr, 0x7002);
    }
    ASSERT_NE(dialog, nullptr);
    pressKey(VK_TAB);
    pressKey('K', true, false, true);
    const std::vector<HWND> edits = childrenOfClass(dialog, L"Oskel.HotkeyEdit");
    ASSERT_EQ(3u, edits.size());
    const bool typed = waitUntil([&] { return textOf(edits[1]) == L"Ctrl + Shift + K"; }, 5000);
    if (typed) {
        pressKey(VK_RETURN);
    }
    HWND box = typed ? run.varnel->waitForDialog(res::getText("options.hotkeys.cannotregister.title"), 10000) : nullptr;
    UnregisterHotKey(nullptr, 0x7002);
    ASSERT_TRUE(typed) << "the box shows " << testing::PrintToString(textOf(edits[1]));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(res::getText("options.hotkeys.cannotregister") + L"\n\nCtrl + Shift + K", messageTextOf(box));
    ASSERT_TRUE(answerBox(box, L"OK"));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(waitUntil([&] { return focusOf(dialog) == edits[1]; }, 5000));
    ASSERT_TRUE(clickButton(dialog, res::getText("cancel")));
    ASSERT_TRUE(closed(dialog));
    // The show key was let go for the refused one; the clip key is back.
    EXPECT_TRUE(isTaken(MOD_CONTROL, VK_F12));
}

// file:///C:/folder/name, as a user pastes it into a note.
std::wstring fileLink(const std::wstring& path) {
    std::wstring link = L"file:///" + path;
    std::replace(link.begin(), link.end(), L'\\', L'/');
    return link;
}

TEST(Dialogs, FileLinksToProgramsAreRefusedAndOthersAskFirst) {
    ProgramFolder files;
    files.write(L"run.bat",
                "echo started > \"" + std::filesystem::path(files.file(L"started.txt")).string() + "\"\r\n");
    files.write(L"readme.txt", "just text\r\n");
    Started run({{L"program", L"", L"", fileLink(files.file(L"run.bat"))},
                 {L"text", L"", L"", fileLink(files.file(L"readme.txt"))}});
    ASSERT_NE(run.frame, nullptr);

    pressKey(VK_HOME);
    pressKey(VK_F3);
    HWND box = run.varnel->waitForDialog(res::getText("link.refused.title"), 10000);
    ASSERT_NE(box, nullptr) << "a link to a program was not refused";
    EXPECT_NE(std::wstring::npos, messageTextOf(box).find(L"run.bat"));
    ASSERT_TRUE(answerBox(box, L"OK"));
    Sleep(1500);
    EXPECT_FALSE(files.exists(L"started.txt")) << "the program ran";

    ASSERT_TRUE(bringToFront(run.frame));
    pressKey(VK_DOWN);
    pressKey(VK_F3);
    box = run.varnel->waitForDialog(res::getText("link.ask.title"), 10000);
    ASSERT_NE(box, nullptr) << "a link to a file was opened without asking";
    EXPECT_NE(std::wstring::npos, messageTextOf(box).find(L"readme.txt"));
    ASSERT_TRUE(answerBox(box, L"&No"));
    EXPECT_TRUE(run.varnel->isRunning());
}

HWND openAppearance(Started& run) {
    bringToFront(run.frame);
    pressKey('V', false, true);
    pressKey('N');
    return waitForWindow(*run.varnel, res::getText("noteappearance.title"));
}

HWND linesEdit(HWND dialog) {
    for (HWND edit : childrenOfClass(dialog, L"Oskel.Edit")) {
        if ((GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) == 0) {
            return edit;
        }
    }
    return nullptr;
}

void typeLines(HWND dialog, const std::wstring& lines) {
    HWND edit = linesEdit(dialog);
    ASSERT_NE(edit, nullptr);
    clickAt(centreOf(edit));
    pressKey(VK_END);
    for (int i = 0; i < 6; ++i) {
        pressKey(VK_BACK);
    }
    typeText(lines);
    ASSERT_TRUE(waitUntil([&] { return textOf(edit) == lines; }, 5000)) << textOf(edit).size();
}

// Changes the header font's size in the system font dialog, as a user does: answers
// whether the appearance dialog then describes the new font, nothing when the Change
// button is missing, and false when the font dialog could not be driven.
std::optional<bool> chooseHeaderSize(const VarnelProcess& varnel, HWND dialog, const std::wstring& points) {
    std::vector<HWND> fontBoxes;
    for (HWND edit : childrenOfClass(dialog, L"Oskel.Edit")) {
        if ((GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0) {
            fontBoxes.push_back(edit);
        }
    }
    if (fontBoxes.size() != 2 || !clickButton(dialog, res::getText("noteappearance.change"))) {
        return std::nullopt;
    }
    HWND chooser = varnel.waitForDialog(L"Font", 10000);
    if (chooser == nullptr) {
        return false;
    }
    bringToFront(chooser);
    // The size box of the system's font dialog.
    HWND size = GetDlgItem(chooser, 0x472);
    if (size != nullptr) {
        clickAt(centreOf(size));
        pressKey(VK_END);
        for (int i = 0; i < 4; ++i) {
            pressKey(VK_BACK);
        }
        typeText(points);
    }
    pressKey(VK_RETURN);
    const std::wstring wanted = L" " + points + L" " + res::getText("noteappearance.pt");
    return closed(chooser)
           && waitUntil(
               [&] {
                   const std::wstring text = textOf(fontBoxes[0]);
                   return text.size() > wanted.size()
                          && text.compare(text.size() - wanted.size(), wanted.size(), wanted) == 0;
               },
               5000);
}

TEST(Dialogs, NoteAppearanceStoresOnlyWhatOkAccepts) {
    Started run({{L"a note", L"", L"", L""}});
    ASSERT_NE(run.frame, nullptr);

    HWND dialog = openAppearance(run);
    ASSERT_NE(dialog, nullptr);
    typeLines(dialog, L"250");
    pressKey(VK_RETURN);
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(settingsWhen(run.folder, [](const app::SettingsKeeper& s) {
        return s.get<int>(Settings::maxDisplayedNoteLinesKey, -1) != -1;
    }));
    EXPECT_EQ(100, run.folder.settings().get<int>(Settings::maxDisplayedNoteLinesKey, -1));
    const app::Font header = run.folder.settings().get<app::Font>(Settings::noteHeaderFontKey, app::Font{});

    // A new line count and a new header font, then Esc; a later save (a theme chosen)
    // writes all settings, still with the old values.
    dialog = openAppearance(run);
    ASSERT_NE(dialog, nullptr);
    typeLines(dialog, L"7");
    const std::optional<bool> chosen = chooseHeaderSize(*run.varnel, dialog, L"23");
    ASSERT_TRUE(chosen.has_value());
    bringToFront(dialog);
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(bringToFront(run.frame));
    pressKey('V', false, true);
    pressKey('C');
    pressKey('R');
    ASSERT_TRUE(settingsWhen(run.folder, [](const app::SettingsKeeper& s) {
        return s.get<app::ColorRef>(Settings::baseColorKey, 0) == app::rgb(255, 30, 0);
    }));
    EXPECT_EQ(100, run.folder.settings().get<int>(Settings::maxDisplayedNoteLinesKey, -1));
    EXPECT_EQ(header, run.folder.settings().get<app::Font>(Settings::noteHeaderFontKey, app::Font{}));
    if (!*chosen) {
        GTEST_SKIP() << "the system font dialog could not be driven here; the line count was covered";
    }

    // The same with OK.
    dialog = openAppearance(run);
    ASSERT_NE(dialog, nullptr);
    typeLines(dialog, L"-3");
    ASSERT_EQ(std::optional<bool>(true), chooseHeaderSize(*run.varnel, dialog, L"23"));
    bringToFront(dialog);
    ASSERT_TRUE(clickButton(dialog, res::getText("ok")));
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(settingsWhen(run.folder, [](const app::SettingsKeeper& s) {
        return s.get<app::Font>(Settings::noteHeaderFontKey, app::Font{}).size == 23;
    }));
    // The face is the font dialog's to choose: Wine's lists no "Arial" and offers its first family.
    EXPECT_EQ(0, run.folder.settings().get<int>(Settings::maxDisplayedNoteLinesKey, -1));
}

// Every dialog in two themes, saved as PNG files for a person to look at. Each is checked
// for its tint: the theme's light background must cover a good part of it.
TEST(Dialogs, ScreenshotsOfEveryDialogInTwoThemes) {
    const std::filesystem::path shots = std::filesystem::current_path() / "dialog-shots";
    std::filesystem::create_directories(shots);
    for (const char* theme : {"blue", "green"}) {
        SCOPED_TRACE(theme);
        const auto found = std::find_if(Settings::themeColors.begin(), Settings::themeColors.end(),
                                        [&](const Settings::ThemeColor& c) { return std::string(c.name) == theme; });
        ASSERT_NE(Settings::themeColors.end(), found);
        const app::ColorRef base = found->color;
        Started run(
            {{L"A note with some text\nand a second line", L"Shopping", L"home errands", L"https://example.com/list"},
             {L"Another note", L"", L"work", L""}},
            [&](const ProgramFolder& f) { f.storeSetting(Settings::baseColorKey, base); });
        ASSERT_NE(run.frame, nullptr);
        struct Shot {
            const char* name;
            std::function<void()> open;
            std::wstring title;
            app::ColorRef tint;
        };
        const app::ColorRef programBlue = app::rgb(0, 90, 240);
        const std::vector<Shot> dialogs = {
            {"noteedit",
             [] {
                 pressKey(VK_HOME);
                 pressKey(VK_RETURN);
             },
             res::getText("noteedit.title") + L" 'Shopping'", base},
            {"tags",
             [] {
                 pressKey(VK_HOME);
                 pressKey(VK_F4);
             },
             res::getText("tagsedit.title"), base},
            {"replacetags",
             [] {
                 pressKey('E', false, true);
                 pressKey('R');
             },
             res::getText("replacetags.title"), base},
            {"hotkeys",
             [] {
                 pressKey('O', false, true);
                 pressKey('H');
             },
             res::getText("options.hotkeys.title"), base},
            {"appearance",
             [] {
                 pressKey('V', false, true);
                 pressKey('N');
             },
             res::getText("noteappearance.title"), programBlue},
            {"about",
             [] {
                 pressKey('H', false, true);
                 pressKey('A');
             },
             res::getText("about.title"), programBlue},
        };
        for (const Shot& shot : dialogs) {
            SCOPED_TRACE(shot.name);
            ASSERT_TRUE(bringToFront(run.frame));
            shot.open();
            HWND dialog = waitForWindow(*run.varnel, shot.title);
            ASSERT_NE(dialog, nullptr);
            Sleep(400);
            RECT area{};
            GetWindowRect(dialog, &area);
            const testing_support::ScreenCapture capture(area);
            const std::wstring file = (shots / (std::string(theme) + "-" + shot.name + ".png")).wstring();
            EXPECT_TRUE(capture.savePng(file));
            const app::ColorRef light1 = gdi::desaturate(gdi::blend(shot.tint, gdi::white, 0.08), 40);
            int tinted = 0;
            for (int y = area.top; y < area.bottom; ++y) {
                for (int x = area.left; x < area.right; ++x) {
                    tinted += capture.pixel(x, y) == light1 ? 1 : 0;
                }
            }
            const int all = (area.right - area.left) * (area.bottom - area.top);
            EXPECT_GT(tinted * 10, all) << tinted << " of " << all << " pixels in the theme's light colour";
            if (std::string(shot.name) == "hotkeys") {
                ASSERT_TRUE(clickButton(dialog, res::getText("cancel")));
            } else {
                pressKey(VK_ESCAPE);
            }
            ASSERT_TRUE(closed(dialog));
        }
    }
}

}  // namespace
