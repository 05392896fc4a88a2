#include "DialogScript.hpp"
#include "DialogWindows.hpp"
#include "WinTestSupport.hpp"

#include "app/mainframe/DialogColors.hpp"
#include "app/mainframe/NoteAppearanceDialog.hpp"
#include "app/mainframe/noteslist/Palette.hpp"
#include "gdi/Font.hpp"
#include "res/StringsBundle.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using app::mainframe::NoteAppearanceDialog;
using namespace testing_support;
namespace themes = app::mainframe::noteslist::themes;

namespace {

struct NoteAppearanceDialogTest : ::testing::Test {
    // Types into the lines box, then presses OK or Cancel; answers the result and what
    // the font boxes showed.
    ui::DialogResult runWith(NoteAppearanceDialog& dialog, const std::wstring& lines, const std::string& button,
                             const wchar_t* picture = nullptr) {
        COLORREF top = CLR_INVALID;
        COLORREF strip = CLR_INVALID;
        std::vector<DialogScript::Step> steps;
        if (picture != nullptr) {
            steps.push_back(savePicture(dialog, picture, top, strip));
        }
        steps.push_back(act([&] {
            const std::vector<HWND> edits = childrenOfClass(dialog.getHandle(), L"Oskel.Edit");
            ASSERT_EQ(3u, edits.size());
            headerText = textOf(edits[0]);
            textText = textOf(edits[1]);
            readOnly = (GetWindowLongPtrW(edits[0], GWL_STYLE) & ES_READONLY) != 0;
            SetWindowTextW(edits[2], lines.c_str());
        }));
        steps.push_back(act([&] { clickButton(dialog.getHandle(), res::getText(button)); }));
        DialogScript script(steps);
        const ui::DialogResult result = dialog.run();
        EXPECT_TRUE(script.finished());
        if (picture != nullptr) {
            EXPECT_EQ(app::mainframe::DialogColors::of(themeOf(picture)).light1, top);
            EXPECT_EQ(app::mainframe::DialogColors::of(themeOf(picture)).light2, strip);
        }
        return result;
    }

    static app::ColorRef themeOf(const wchar_t* picture) {
        return std::wstring(picture).find(L"blue") != std::wstring::npos ? themes::blue : themes::orange;
    }

    DialogOwner owner{L"Oskel.AppearanceOwner"};
    std::shared_ptr<gdi::Font> header = std::make_shared<gdi::Font>(L"Arial", 10, 700, false);
    std::shared_ptr<gdi::Font> text = std::make_shared<gdi::Font>(L"Tahoma", 9, 400, true);
    std::wstring headerText;
    std::wstring textText;
    bool readOnly = false;
};

}  // namespace

// Writes visual-appearance-blue.png for a person to look at.
TEST_F(NoteAppearanceDialogTest, OkClampsTheLinesAndShowsTheFontsDescribed) {
    NoteAppearanceDialog dialog(&owner, themes::blue, header, text, 5);
    EXPECT_EQ(ui::DialogResult::accepted, runWith(dialog, L"250", "ok", L"visual-appearance-blue.png"));
    EXPECT_EQ(100, dialog.getMaxLines());
    EXPECT_EQ(header, dialog.getHeaderFont());
    EXPECT_EQ(text, dialog.getTextFont());
    EXPECT_EQ(L"Arial Bold 10 pt", headerText);
    EXPECT_EQ(L"Tahoma Italic 9 pt", textText);
    EXPECT_TRUE(readOnly);

    NoteAppearanceDialog negative(&owner, themes::blue, header, text, 5);
    EXPECT_EQ(ui::DialogResult::accepted, runWith(negative, L"-3", "ok"));
    EXPECT_EQ(0, negative.getMaxLines());
}

// Writes visual-appearance-orange.png for a person to look at.
TEST_F(NoteAppearanceDialogTest, CancelOrTextThatIsNoNumberKeepsTheOldCount) {
    NoteAppearanceDialog cancelled(&owner, themes::orange, header, text, 5);
    EXPECT_EQ(ui::DialogResult::cancelled, runWith(cancelled, L"42", "cancel", L"visual-appearance-orange.png"));
    EXPECT_EQ(5, cancelled.getMaxLines());
    for (const std::wstring& typed :
         {std::wstring(L" 12"), std::wstring(L"12 "), std::wstring(), std::wstring(L"twelve")}) {
        NoteAppearanceDialog dialog(&owner, themes::orange, header, text, 7);
        EXPECT_EQ(ui::DialogResult::accepted, runWith(dialog, typed, "ok"));
        EXPECT_EQ(7, dialog.getMaxLines()) << typed.size();
    }
}

// The font chooser reads the record's size to tell its layout: on x64 the record is 104
// bytes, and a wrong size makes the chooser fail without showing.
TEST(NoteAppearanceFontChooserTest, TheRequestIsSizedForThisPlatformAndStartsFromTheFont) {
    LOGFONTW font{};
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    const CHOOSEFONTW request = NoteAppearanceDialog::fontChooserRequest(owner, font);
    EXPECT_EQ(sizeof(void*) == 8 ? 104u : 60u, request.lStructSize);
    EXPECT_EQ(0x1000043u, request.Flags);
    EXPECT_EQ(owner, request.hwndOwner);
    EXPECT_EQ(&font, request.lpLogFont);
    EXPECT_EQ(nullptr, request.hDC);
    EXPECT_EQ(0u, request.rgbColors);
}
