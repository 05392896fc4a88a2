#include "ControlHost.hpp"
#include "DialogScript.hpp"
#include "WinTestSupport.hpp"

#include "app/mainframe/DialogColors.hpp"
#include "app/mainframe/ReplaceTagsDialog.hpp"
#include "app/mainframe/TagDialog.hpp"
#include "app/mainframe/noteslist/Palette.hpp"
#include "res/StringsBundle.hpp"

#include <gtest/gtest.h>

#include <string>

using app::mainframe::ReplaceTagsDialog;
using app::mainframe::TagDialog;
using namespace testing_support;
namespace themes = app::mainframe::noteslist::themes;

namespace {

struct TagDialogsTest : ::testing::Test {
    DialogOwner owner{L"Oskel.TagDialogOwner"};
};

// Presses a button of the dialog by its caption, as a click does.
void click(HWND dialog, const std::string& captionKey) {
    HWND button = FindWindowExW(dialog, nullptr, L"Oskel.Button", res::getText(captionKey).c_str());
    ASSERT_NE(nullptr, button) << captionKey;
    PostMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace

// The caller parses the texts: separators, blanks and letter case come back untouched.
TEST_F(TagDialogsTest, TheTagDialogReturnsBothTextsExactlyAsTyped) {
    TagDialog dialog(&owner, themes::blue);
    DialogScript script({
        act([] { postCharacters(L" Foo, Bar"); }),
        act([] { postKey(VK_TAB); }),
        act([] { postCharacters(L"baz ; QUX "); }),
        // Enter presses the default button, OK.
        act([] { postKey(VK_RETURN); }),
    });
    EXPECT_EQ(ui::DialogResult::accepted, dialog.run());
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(L"Add / Remove Tags", dialog.getTitle());
    EXPECT_EQ(L" Foo, Bar", dialog.getTagsToAdd());
    EXPECT_EQ(L"baz ; QUX ", dialog.getTagsToRemove());
    EXPECT_TRUE(IsWindowEnabled(owner.getHandle()));
}

TEST_F(TagDialogsTest, CancelAndEscapeReturnCancelledAndNoTexts) {
    for (bool escape : {false, true}) {
        TagDialog dialog(&owner, themes::green);
        DialogScript script({
            act([] { postCharacters(L"typed"); }),
            act([&] { escape ? postKey(VK_ESCAPE) : click(dialog.getHandle(), "cancel"); }),
        });
        EXPECT_EQ(ui::DialogResult::cancelled, dialog.run()) << escape;
        EXPECT_TRUE(script.finished());
        EXPECT_EQ(std::wstring(), dialog.getTagsToAdd() + dialog.getTagsToRemove()) << escape;
    }
}

// An empty destination is how tags are deleted.
TEST_F(TagDialogsTest, TheReplaceDialogReturnsTheSourceAndAnEmptyDestination) {
    ReplaceTagsDialog dialog(&owner, themes::purple);
    DialogScript script({
        act([] { postCharacters(L"old Older"); }),
        act([&] { click(dialog.getHandle(), "ok"); }),
    });
    EXPECT_EQ(ui::DialogResult::accepted, dialog.run());
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(L"Replace Tags", dialog.getTitle());
    EXPECT_EQ(L"old Older", dialog.getSourceTags());
    EXPECT_EQ(std::wstring(), dialog.getDestinationTags());
}

// Writes visual-tags-*.png and visual-replacetags-*.png for a person to look at, and checks
// the two tints where nothing else is drawn.
TEST_F(TagDialogsTest, PicturesInTwoThemes) {
    for (app::ColorRef base : {themes::blue, themes::red}) {
        const std::wstring theme = base == themes::blue ? L"blue" : L"red";
        for (bool replace : {false, true}) {
            std::unique_ptr<app::mainframe::TagListsDialog> dialog;
            if (replace) {
                dialog = std::make_unique<ReplaceTagsDialog>(&owner, base);
            } else {
                dialog = std::make_unique<TagDialog>(&owner, base);
            }
            const std::wstring file = (replace ? L"visual-replacetags-" : L"visual-tags-") + theme + L".png";
            COLORREF corner = CLR_INVALID;
            COLORREF strip = CLR_INVALID;
            DialogScript script({
                act([] { postCharacters(L"ideas, work"); }),
                savePicture(*dialog, file, corner, strip),
                act([] { postKey(VK_ESCAPE); }),
            });
            EXPECT_EQ(ui::DialogResult::cancelled, dialog->run());
            EXPECT_EQ(app::mainframe::DialogColors::of(base).light1, corner) << replace;
            EXPECT_EQ(app::mainframe::DialogColors::of(base).light2, strip) << replace;
        }
    }
}
