#include "ControlHost.hpp"
#include "DialogScript.hpp"
#include "WinTestSupport.hpp"

#include "app/PlacementWin32.hpp"
#include "app/Settings.hpp"
#include "app/mainframe/DialogColors.hpp"
#include "app/mainframe/NoteEditDialog.hpp"
#include "app/mainframe/noteslist/Palette.hpp"
#include "gdi/Font.hpp"
#include "res/StringsBundle.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

using app::Rect;
using app::Settings;
using app::mainframe::NoteEditDialog;
using app::model::Note;
using namespace testing_support;
namespace themes = app::mainframe::noteslist::themes;

namespace {

Note makeNote(const std::wstring& title, const std::wstring& text, const std::wstring& tags, const std::wstring& link) {
    Note note(text, std::wstring(), title, Note::now());
    note.setTags(tags);
    note.setLink(link);
    return note;
}

// Every test starts and ends without a stored place, so that the default one applies.
struct NoteEditDialogTest : ::testing::Test {
    NoteEditDialogTest() {
        resetPlacement();
        owner.create();
        MoveWindow(owner.getHandle(), 200, 100, 600, 500, FALSE);
        owner.show(SW_SHOW);
    }
    ~NoteEditDialogTest() override { resetPlacement(); }

    static void resetPlacement() { Settings::instance().set<Rect>(Settings::noteEditDialogPlacementKey, Rect()); }

    TestTopWindow owner{L"Oskel.NoteEditOwner"};
    std::shared_ptr<gdi::Font> font = std::make_shared<gdi::Font>(L"Arial", 10, 400, false);
};

}  // namespace

TEST_F(NoteEditDialogTest, ANewNoteTypedFieldByFieldIsAcceptedWithCtrlEnter) {
    const Note empty = makeNote(std::wstring(), std::wstring(), std::wstring(), std::wstring());
    NoteEditDialog dialog(&owner, empty, res::getText("noteedit.new.title"), themes::blue, font);
    DialogScript script({
        act([] { postCharacters(L"  My title "); }),
        // Up stays in the title; Down leads to the text.
        act([] { postKey(VK_UP); }),
        act([] { postKey(VK_DOWN); }),
        act([] { postCharacters(L"line one"); }),
        act([] { postKey(VK_RETURN); }),
        act([] { postCharacters(L"line two"); }),
        act([] { postKey(VK_TAB); }),
        act([] { postCharacters(L"Foo, bar;baz"); }),
        act([] { postKey(VK_DOWN); }),
        act([] { postCharacters(L"http://example.com/a"); }),
        act([] { pressWithControl(VK_RETURN); }),
    });
    EXPECT_EQ(ui::DialogResult::accepted, dialog.run());
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(L"New Note", dialog.getTitle());

    const Note& edited = dialog.getNote();
    EXPECT_EQ(L"My title", edited.title());
    EXPECT_EQ(L"line one\nline two", edited.text());
    EXPECT_EQ(L"bar baz foo", edited.tagString());
    EXPECT_EQ(L"http://example.com/a", edited.link());
    EXPECT_TRUE(empty.title().empty() && empty.text().empty() && empty.link().empty() && empty.tags().empty());
    EXPECT_TRUE(IsWindowEnabled(owner.getHandle()));
}

// The copy rule: a discarded edit leaves both the caller's note and the dialog's copy as
// they were, and the question comes only when something was changed.
TEST_F(NoteEditDialogTest, EscapeAsksBeforeDiscardingChangesAndClosesAtOnceWithoutThem) {
    const Note original = makeNote(L"Title", L"Some text\nsecond line", L"alpha beta", L"www.example.org");
    std::atomic<int> boxes{0};
    std::wstring caption;
    // No the first time, Yes the second.
    ThreadWindowWatcher watcher(L"#32770", [&](HWND box, bool first) {
        if (!first) {
            return;
        }
        wchar_t text[128] = {};
        GetWindowTextW(box, text, 128);
        caption = text;
        PostMessageW(box, WM_COMMAND, ++boxes == 1 ? IDNO : IDYES, 0);
    });
    const auto noBoxOpen = [] { return visibleThreadWindows(GetCurrentThreadId(), L"#32770").empty(); };
    {
        NoteEditDialog dialog(&owner, original, L"Edit 'Title'", themes::blue, font);
        bool openAfterNo = false;
        DialogScript script({
            act([] { postCharacters(L"X"); }),
            act([] { postKey(VK_DOWN); }),
            act([] { postCharacters(L"more "); }),
            act([] { postKey(VK_ESCAPE); }),
            [&] { return boxes == 1 && noBoxOpen(); },
            act([&] { openAfterNo = dialog.isAttached(); }),
            act([] { postKey(VK_ESCAPE); }),
        });
        EXPECT_EQ(ui::DialogResult::cancelled, dialog.run());
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(openAfterNo);
        EXPECT_EQ(2, boxes.load());
        EXPECT_EQ(res::getText("noteedit.discard.title"), caption);
        for (const Note* note : {&original, &dialog.getNote()}) {
            EXPECT_EQ(L"Title", note->title());
            EXPECT_EQ(L"Some text\nsecond line", note->text());
            EXPECT_EQ(L"alpha beta", note->tagString());
            EXPECT_EQ(L"www.example.org", note->link());
        }
    }
    // Unchanged, the dialog ends without a question; blanks the note trims away are no change.
    NoteEditDialog dialog(&owner, original, L"Edit 'Title'", themes::blue, font);
    DialogScript script(
        {act([] { postKey(VK_END); }), act([] { postCharacters(L"  "); }), act([] { postKey(VK_ESCAPE); })});
    EXPECT_EQ(ui::DialogResult::cancelled, dialog.run());
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(2, boxes.load());
}

// A rich edit takes no more than 32,767 characters from the user unless its limit is raised:
// typing into a long note was refused.
TEST_F(NoteEditDialogTest, ASeventyThousandCharacterTextSurvivesAnEdit) {
    std::wstring text;
    for (int line = 0; text.size() < 70000; ++line) {
        text += L"Line " + std::to_wstring(line) + L" of a long note that goes on and on.\n";
    }
    text.resize(69999);
    text += L'.';
    const Note original = makeNote(L"Long", text, std::wstring(), std::wstring());
    ASSERT_EQ(70000u, original.text().size());

    for (bool typing : {false, true}) {
        NoteEditDialog dialog(&owner, original, L"Edit 'Long'", themes::green, font);
        std::vector<DialogScript::Step> steps{act([] { postKey(VK_DOWN); })};
        if (typing) {
            steps.push_back(act([] { pressWithControl(VK_END); }));
            steps.push_back(act([] { releaseControl(); }));
            steps.push_back(act([] { postCharacters(L"!"); }));
        }
        steps.push_back(act([] { pressWithControl(VK_RETURN); }));
        DialogScript script(std::move(steps));
        EXPECT_EQ(ui::DialogResult::accepted, dialog.run());
        EXPECT_TRUE(script.finished());
        EXPECT_EQ(typing ? text + L"!" : text, dialog.getNote().text()) << typing;
        EXPECT_EQ(text, original.text());
    }
}

// A stored place on a monitor that is gone, larger than the screen, inverted or damaged in
// the file still opens the dialog where the user can reach all of it. Without one, the
// dialog is centred on its owner, and a very long title does not widen it.
TEST_F(NoteEditDialogTest, AStoredPlaceOffScreenOversizedOrDamagedOpensInsideTheWorkArea) {
    const Rect work = app::nearestWorkArea(Rect{0, 0, 1, 1});
    const std::string leftKey = std::string(Settings::noteEditDialogPlacementKey) + ".left";
    const Rect stored[] = {Rect(), Rect{9000, 7000, 9600, 7450}, Rect{-500, -400, 6000, 5000}, Rect{700, 500, 100, 100},
                           Rect{1, 1, 2, 2}};
    for (int i = 0; i < 5; ++i) {
        Settings::instance().set<Rect>(Settings::noteEditDialogPlacementKey, stored[i]);
        if (i == 4) {
            Settings::instance().set<std::wstring>(leftKey, L"far left");
        }
        const Note note = makeNote(std::wstring(5000, L'T'), L"text", std::wstring(), std::wstring());
        NoteEditDialog dialog(&owner, note, L"Edit '" + note.title() + L"'", themes::blue, font);
        RECT placed{};
        DialogScript script({act([&] { placed = windowRect(dialog.getHandle()); }), act([] { postKey(VK_ESCAPE); })});
        EXPECT_EQ(ui::DialogResult::cancelled, dialog.run()) << i;
        EXPECT_TRUE(placed.left >= work.left && placed.top >= work.top && placed.right <= work.right
                    && placed.bottom <= work.bottom)
            << i;
        // Where it closed is kept for the next time.
        const Rect kept = Settings::instance().get<Rect>(Settings::noteEditDialogPlacementKey, Rect());
        EXPECT_EQ((Rect{placed.left, placed.top, placed.right, placed.bottom}), kept) << i;
        const SIZE size{placed.right - placed.left, placed.bottom - placed.top};
        const SIZE expected = i == 1   ? SIZE{600, 450}
                              : i == 2 ? SIZE{work.right - work.left, work.bottom - work.top}
                                       : SIZE{590, 520};
        EXPECT_EQ(expected.cx, size.cx) << i;
        EXPECT_EQ(expected.cy, size.cy) << i;
        if (i == 0) {
            EXPECT_EQ(200 + (600 - 590) / 2, placed.left);
        } else if (i == 1) {
            EXPECT_EQ(work.right, placed.right);
            EXPECT_EQ(work.bottom, placed.bottom);
        }
    }
    Settings::instance().set<std::wstring>(leftKey, L"0");
}

TEST(NoteEditDialogLinkEdit, TheIconShowsForAnAddressAndAClickOnItOpensTheLink) {
    ControlHost host;
    int opened = 0;
    NoteEditDialog::LinkEdit* self = nullptr;
    NoteEditDialog::LinkEdit edit(
        &host, [&] { ++opened; }, [&] { return self != nullptr && Note::isUrl(self->getText()); });
    self = &edit;
    edit.create();
    edit.setBounds(10, 10, 300, 22, true);
    // A click in window coordinates, hit-tested first as the system does.
    const auto click = [&](int x, int y) {
        const RECT window = windowRect(edit.getHandle());
        const LPARAM at = MAKELPARAM(window.left + x, window.top + y);
        const LRESULT hit = SendMessageW(edit.getHandle(), WM_NCHITTEST, 0, at);
        SendMessageW(edit.getHandle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), at);
        return hit;
    };
    edit.setText(L"https://example.com/page");
    // At the right end, inside the outline.
    const RECT icon = edit.getIconRect();
    EXPECT_EQ(300 - 1 - 3 - 16, icon.left);
    EXPECT_EQ(3, icon.top);
    EXPECT_EQ(HTBORDER, click(icon.left + 8, 11));
    EXPECT_EQ(1, opened);
    click(icon.left - 2, 11);
    EXPECT_EQ(1, opened);

    edit.setText(L"example.com/page");
    const RECT none = edit.getIconRect();
    EXPECT_TRUE(IsRectEmpty(&none));
    click(icon.left + 8, 11);
    EXPECT_EQ(1, opened);
}

// Writes visual-noteedit-blue.png and visual-noteedit-orange.png for a person to look at,
// and checks the two tints where nothing else is drawn.
TEST_F(NoteEditDialogTest, PicturesInTwoThemes) {
    const Note note = makeNote(L"A note about pictures",
                               L"Its text runs over a few lines.\nSee http://example.com for more.\n\nThe end.",
                               L"pictures themes", L"http://example.com/pictures");
    for (app::ColorRef base : {themes::blue, themes::orange}) {
        NoteEditDialog dialog(&owner, note, L"Edit 'A note about pictures'", base, font);
        COLORREF top = CLR_INVALID;
        COLORREF strip = CLR_INVALID;
        DialogScript script({
            savePicture(dialog, base == themes::blue ? L"visual-noteedit-blue.png" : L"visual-noteedit-orange.png", top,
                        strip),
            act([] { postKey(VK_ESCAPE); }),
        });
        dialog.run();
        EXPECT_EQ(app::mainframe::DialogColors::of(base).light1, top);
        EXPECT_EQ(app::mainframe::DialogColors::of(base).light2, strip);
    }
}
