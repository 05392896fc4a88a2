#include "DialogScript.hpp"
#include "DialogWindows.hpp"
#include "WinTestSupport.hpp"

#include "app/mainframe/AboutDialog.hpp"
#include "app/mainframe/DialogColors.hpp"
#include "app/mainframe/noteslist/Palette.hpp"
#include "res/StringsBundle.hpp"

#include <gtest/gtest.h>

using app::mainframe::AboutDialog;
using namespace testing_support;
namespace themes = app::mainframe::noteslist::themes;

// Writes visual-about-blue.png and visual-about-orange.png for a person to look at. OK
// and Escape both close it; it cannot be resized and its text keeps its line breaks.
TEST(AboutDialogTest, ShowsItsTextInBothTintsAndClosesWithOkOrEscape) {
    DialogOwner owner(L"Oskel.AboutOwner");
    for (app::ColorRef base : {themes::blue, themes::orange}) {
        const bool blue = base == themes::blue;
        AboutDialog dialog(&owner, base);
        COLORREF top = CLR_INVALID;
        COLORREF strip = CLR_INVALID;
        std::wstring label;
        HMENU systemMenu = nullptr;
        DialogScript script({
            savePicture(dialog, blue ? L"visual-about-blue.png" : L"visual-about-orange.png", top, strip),
            act([&] {
                label = textOf(FindWindowExW(dialog.getHandle(), nullptr, L"Oskel.Label", nullptr));
                systemMenu = GetSystemMenu(dialog.getHandle(), FALSE);
                EXPECT_EQ(-1, GetMenuState(systemMenu, SC_SIZE, MF_BYCOMMAND));
                EXPECT_EQ(-1, GetMenuState(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND));
                EXPECT_EQ(0, GetWindowLongPtrW(dialog.getHandle(), GWL_STYLE) & WS_THICKFRAME);
            }),
            act([&] { blue ? clickButton(dialog.getHandle(), res::getText("ok")) : postKey(VK_ESCAPE); }),
        });
        dialog.run();
        EXPECT_TRUE(script.finished());
        EXPECT_FALSE(dialog.isAttached());
        EXPECT_EQ(res::getText("about.text"), label);
        EXPECT_NE(std::wstring::npos, label.find(L'\n'));
        EXPECT_EQ(app::mainframe::DialogColors::of(base).light1, top);
        EXPECT_EQ(app::mainframe::DialogColors::of(base).light2, strip);
        EXPECT_TRUE(IsWindowEnabled(owner.getHandle()));
    }
}
