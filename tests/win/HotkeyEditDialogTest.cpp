#include "DialogScript.hpp"
#include "DialogWindows.hpp"
#include "WinTestSupport.hpp"

#include "app/mainframe/DialogColors.hpp"
#include "app/mainframe/HotkeyEditDialog.hpp"
#include "app/mainframe/noteslist/Palette.hpp"
#include "err/Exceptions.hpp"
#include "res/StringsBundle.hpp"
#include "ui/controls/HotkeyEdit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using app::mainframe::HotkeyEditDialog;
using ui::controls::HotkeyEdit;
using namespace testing_support;
namespace themes = app::mainframe::noteslist::themes;

namespace {

constexpr unsigned ctrl = VK_CONTROL, alt = VK_MENU;

struct HotkeyEditDialogTest : ::testing::Test {
    // The three hot keys as the main window hands them over: clip Ctrl + F12, show
    // Ctrl + Alt + F12, new note none. Every call is recorded; `refused` names the one
    // whose registration fails.
    HotkeyEditDialog::Hotkey hotkey(const std::string& name, unsigned key, unsigned modifiers) {
        return {key, modifiers, [this, name](unsigned k, unsigned m) {
                    calls.push_back(name + " " + std::to_string(k) + " " + std::to_string(m));
                    if (name == refused) {
                        SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
                        throw err::SystemException("Can't register hotkey");
                    }
                }};
    }
    std::unique_ptr<HotkeyEditDialog> makeDialog(app::ColorRef base) {
        return std::make_unique<HotkeyEditDialog>(
            &owner, base, hotkey("clip", VK_F12, 2), hotkey("show", VK_F12, 3), hotkey("new", 0, 0),
            [this] { calls.push_back("suspend"); }, [this] { calls.push_back("resume"); });
    }

    DialogOwner owner{L"Oskel.HotkeyDialogOwner"};
    std::vector<std::string> calls;
    std::string refused;
};

std::vector<HWND> edits(const ui::Window& dialog) {
    return childrenOfClass(dialog.getHandle(), L"Oskel.HotkeyEdit");
}

// Keys as the keyboard hook reports them to the focused box: '+' down, '-' up.
DialogScript::Step keys(const ui::Window& dialog, int box, std::vector<std::pair<char, unsigned>> events) {
    return act([&dialog, box, events] {
        const HWND edit = edits(dialog).at(static_cast<std::size_t>(box));
        SetFocus(edit);
        for (const auto& [direction, key] : events) {
            PostMessageW(edit, HotkeyEdit::keyMessage, key, direction == '-' ? 1 : 0);
        }
    });
}

}  // namespace

// Writes visual-hotkeys-blue.png for a person to look at. The boxes show what the hook
// reports and nothing else: a modifier let go before the key still counts, and typing,
// pasting and undoing leave the text alone. OK sets only the changed keys, in order.
TEST_F(HotkeyEditDialogTest, BoxesShowTheCapturedKeysAndOkSetsTheChangedOnes) {
    auto dialog = makeDialog(themes::blue);
    COLORREF top = CLR_INVALID;
    COLORREF strip = CLR_INVALID;
    std::vector<std::wstring> shown;
    bool hooked = false;
    DialogScript script({
        keys(*dialog, 2, {{'+', ctrl}, {'+', alt}, {'+', 'N'}, {'-', alt}, {'-', 'N'}, {'-', ctrl}}),
        act([&] {
            const HWND box = edits(*dialog)[2];
            hooked = dynamic_cast<HotkeyEdit&>(*ui::findWindow(box)).isCapturing();
            // All selected, so that each of these would change the text of a plain edit.
            SendMessageW(box, EM_SETSEL, 0, -1);
            SendMessageW(box, WM_CHAR, L'x', 1);
            SendMessageW(box, WM_CLEAR, 0, 0);
            SendMessageW(box, EM_UNDO, 0, 0);
            SendMessageW(box, WM_KEYDOWN, VK_DELETE, 0);
            // Esc in a box does not cancel the dialog.
            postKey(VK_ESCAPE);
        }),
        keys(*dialog, 0, {{'+', VK_ESCAPE}, {'-', VK_ESCAPE}}),
        savePicture(*dialog, L"visual-hotkeys-blue.png", top, strip),
        act([&] {
            for (HWND box : edits(*dialog)) {
                shown.push_back(textOf(box));
            }
            clickButton(dialog->getHandle(), res::getText("ok"));
        }),
    });
    EXPECT_EQ(ui::DialogResult::accepted, dialog->run());
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(hooked);
    EXPECT_EQ((std::vector<std::wstring>{L"None", L"Ctrl + Alt + F12", L"Ctrl + Alt + N"}), shown);
    // The clip key was set to none, so the old one must not come back on closing.
    EXPECT_EQ((std::vector<std::string>{"suspend", "clip 0 0", "new 78 3"}), calls);
    EXPECT_EQ(app::mainframe::DialogColors::of(themes::blue).light1, top);
    EXPECT_EQ(app::mainframe::DialogColors::of(themes::blue).light2, strip);
}

// Writes visual-hotkeys-orange.png for a person to look at.
TEST_F(HotkeyEditDialogTest, CancelSetsNothingAndGivesTheClipKeyBack) {
    auto dialog = makeDialog(themes::orange);
    COLORREF top = CLR_INVALID;
    COLORREF strip = CLR_INVALID;
    DialogScript script({
        keys(*dialog, 1, {{'+', VK_F5}, {'-', VK_F5}}),
        savePicture(*dialog, L"visual-hotkeys-orange.png", top, strip),
        act([&] { clickButton(dialog->getHandle(), res::getText("cancel")); }),
    });
    EXPECT_EQ(ui::DialogResult::cancelled, dialog->run());
    EXPECT_TRUE(script.finished());
    EXPECT_EQ((std::vector<std::string>{"suspend", "resume"}), calls);
    EXPECT_EQ(app::mainframe::DialogColors::of(themes::orange).light1, top);
}

// A refused key stops the row of settings there and keeps the dialog open on its box; a
// combination chosen twice is refused before anything is set. The clip key set before
// the refusal stays set, so closing does not bring the old one back.
TEST_F(HotkeyEditDialogTest, ARefusedOrRepeatedCombinationKeepsTheDialogOpenOnItsBox) {
    refused = "show";
    MessageBoxWatcher boxes;
    auto dialog = makeDialog(themes::blue);
    std::vector<HWND> boxHandles;
    HWND focusAfterRefusal = nullptr;
    HWND focusAfterRepeat = nullptr;
    const auto boxesSeen = [&](std::size_t count) {
        return [&boxes, count] {
            return boxes.boxes().size() == count && visibleThreadWindows(GetCurrentThreadId(), L"#32770").empty();
        };
    };
    DialogScript script({
        keys(*dialog, 0, {{'+', VK_F11}, {'-', VK_F11}}),
        keys(*dialog, 1, {{'+', ctrl}, {'+', alt}, {'+', 'N'}, {'-', 'N'}, {'-', alt}, {'-', ctrl}}),
        act([&] { clickButton(dialog->getHandle(), res::getText("ok")); }),
        boxesSeen(1),
        act([&] {
            focusAfterRefusal = GetFocus();
            boxHandles = edits(*dialog);
        }),
        keys(*dialog, 2, {{'+', VK_F11}, {'-', VK_F11}}),
        act([&] { clickButton(dialog->getHandle(), res::getText("ok")); }),
        boxesSeen(2),
        act([&] {
            focusAfterRepeat = GetFocus();
            clickButton(dialog->getHandle(), res::getText("cancel"));
        }),
    });
    EXPECT_EQ(ui::DialogResult::cancelled, dialog->run());
    EXPECT_TRUE(script.finished());
    const std::vector<SeenBox> seen = boxes.boxes();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(res::getText("options.hotkeys.cannotregister.title"), seen[0].caption);
    EXPECT_EQ(res::getText("options.hotkeys.cannotregister") + L"\n\nCtrl + Alt + N", seen[0].text);
    EXPECT_EQ(res::formatText("options.hotkeys.duplicate", L"Ctrl + F11"), seen[1].text);
    EXPECT_EQ((std::vector<std::string>{"suspend", "clip 122 2", "show 78 3"}), calls);
    ASSERT_EQ(3u, boxHandles.size());
    EXPECT_EQ(boxHandles[1], focusAfterRefusal);
    EXPECT_EQ(boxHandles[2], focusAfterRepeat);
}
