#include "IconSamples.hpp"
#include "MenuTestSupport.hpp"

#include "err/Exceptions.hpp"
#include "gdi/Icon.hpp"
#include "res/StringsBundle.hpp"
#include "ui/menu/CheckCommand.hpp"
#include "ui/menu/CheckItem.hpp"
#include "ui/menu/Command.hpp"
#include "ui/menu/DefaultItem.hpp"
#include "ui/menu/Item.hpp"
#include "ui/menu/Menubar.hpp"
#include "ui/menu/MenuStyle.hpp"
#include "ui/menu/Popup.hpp"
#include "ui/menu/Separator.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace testing_support;
using namespace ui::menu;

TEST(MenuIds, EveryMenuObjectTakesTheNextIdInConstructionOrder) {
    Command command("menu.edit.copy");
    CheckCommand check("menu.options.silentclipping", nullptr, nullptr);
    Item first(command);
    Separator separator;
    CheckItem checkItem(check);
    Popup popup("menu.edit");
    DefaultItem defaultItem(command);
    EXPECT_EQ(first.getId() + 1, separator.getId());
    EXPECT_EQ(first.getId() + 2, checkItem.getId());
    EXPECT_EQ(first.getId() + 3, popup.getId());
    EXPECT_EQ(first.getId() + 4, defaultItem.getId());

    // A separator made by the popup takes an id too, and ids are not given back.
    popup.appendSeparator();
    EXPECT_TRUE(popup.contains(defaultItem.getId() + 1));
    { Separator discarded; }
    EXPECT_EQ(defaultItem.getId() + 3, Item(command).getId());
}

TEST(MenuCommand, WithoutAnActionDoesNothingAndKeepsItsOwnIcon) {
    EXPECT_NO_THROW(Command("menu.edit.copy").execute());
    const HICON original = makeColourIcon(16, 16, RGB(10, 20, 30));
    {
        Command withIcon("menu.edit.copy", nullptr, nullptr, gdi::Icon(original, false));
        EXPECT_EQ(16, withIcon.getIcon().getWidth());
    }
    // The command's duplicate died with it; the caller's icon is still usable.
    EXPECT_EQ(16, gdi::Icon(original, false).getWidth());
    DestroyIcon(original);
}

TEST(MenuItems, HiddenCuesDropMnemonicMarksButKeepLiteralAmpersands) {
    EXPECT_EQ(L"Edit", withoutMnemonics(L"&Edit"));
    EXPECT_EQ(L"Save & Close", withoutMnemonics(L"Save && &Close"));
    EXPECT_EQ(L"End", withoutMnemonics(L"End&"));
}

TEST(MenuPopup, EntriesAreOwnerDrawnWithTheIdAsItemData) {
    Command command("menu.edit.copy");
    Popup popup("menu.edit");
    const int itemId = append(popup, std::make_unique<Item>(command))->getId();
    popup.appendSeparator();
    const HMENU subHandle = append(popup, std::make_unique<Popup>("menu.view.notecolor"))->getHandle();

    ASSERT_EQ(3, GetMenuItemCount(popup.getHandle()));
    for (UINT i = 0; i < 3; ++i) {
        const MENUITEMINFOW entry = entryAt(popup.getHandle(), i);
        EXPECT_TRUE(entry.fType & MFT_OWNERDRAW) << i;
        EXPECT_EQ(static_cast<ULONG_PTR>(itemId) + i, entry.dwItemData) << i;
    }
    EXPECT_EQ(static_cast<UINT>(itemId), entryAt(popup.getHandle(), 0).wID);
    EXPECT_TRUE(entryAt(popup.getHandle(), 1).fType & MFT_SEPARATOR);
    EXPECT_EQ(subHandle, entryAt(popup.getHandle(), 2).hSubMenu);
}

TEST(MenuPopup, GetItemAndContainsSearchSubPopupsAndRefuseMisuse) {
    Popup empty;
    EXPECT_EQ("Precondition failed:\nui::menu::Popup::getItem\n!isEmpty()",
              messageOf<err::RuntimeException>([&] { empty.getItem(1); }));
    EXPECT_EQ("Precondition failed:\nui::menu::Popup::appendSubmenu\npopup",
              messageOf<err::InvalidArgumentException>([&] { empty.appendSubmenu(nullptr); }));
    EXPECT_TRUE(empty.isEmpty());

    Command command("menu.edit.copy");
    Popup popup("menu.edit");
    Item* ownItem = append(popup, std::make_unique<Item>(command));
    Popup* subPopup = append(popup, std::make_unique<Popup>("menu.view.notecolor"));
    Popup* nested = append(*subPopup, std::make_unique<Popup>("menu.view"));
    Item* deepItem = append(*nested, std::make_unique<Item>(command));

    EXPECT_EQ(ownItem, popup.getItem(ownItem->getId()));
    EXPECT_EQ(static_cast<BasicItem*>(subPopup), popup.getItem(subPopup->getId()));
    EXPECT_EQ(deepItem, popup.getItem(deepItem->getId()));
    EXPECT_TRUE(popup.contains(deepItem->getId()));
    EXPECT_FALSE(popup.contains(popup.getId()));
    EXPECT_FALSE(subPopup->contains(ownItem->getId()));
    Item stranger(command);
    EXPECT_EQ(nullptr, popup.getItem(stranger.getId()));
}

TEST(MenuEnabledStates, APopupWhoseItemsAreAllDisabledIsDisabledInItsParent) {
    MenuTestWindow window;
    bool openEnabled = false;
    bool colourEnabled = false;
    Command open("menu.edit.edit", nullptr, [&] { return openEnabled; });
    Command colour("menu.view.notecolor.red", nullptr, [&] { return colourEnabled; });
    Popup popup("menu.view");
    popup.appendItem(std::make_unique<Item>(open));
    Popup* sub = append(popup, std::make_unique<Popup>("menu.view.notecolor"));
    sub->appendItem(std::make_unique<Item>(colour));
    sub->appendSeparator();
    popup.install(&window);
    const HMENU menu = popup.getHandle();
    const HMENU subHandle = sub->getHandle();
    // The popup refreshes when the system is about to open it; states are never kept.
    const auto opened = [&] { SendMessageW(window.getHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0); };

    opened();
    EXPECT_TRUE(isGreyed(menu, 0));
    EXPECT_TRUE(isGreyed(menu, 1));
    EXPECT_TRUE(isGreyed(subHandle, 0));
    openEnabled = true;
    opened();
    EXPECT_FALSE(isGreyed(menu, 0));
    EXPECT_TRUE(isGreyed(menu, 1));
    colourEnabled = true;
    opened();
    EXPECT_FALSE(isGreyed(menu, 1));
    EXPECT_FALSE(isGreyed(subHandle, 0));

    // A popup holding only an enabled sub-popup is not empty.
    Popup outer("menu.view");
    Popup* middle = append(outer, std::make_unique<Popup>("menu.view.notecolor"));
    append(*middle, std::make_unique<Popup>("menu.view.notecolor"))->appendItem(std::make_unique<Item>(colour));
    outer.refreshEnabledStates();
    EXPECT_FALSE(isGreyed(outer.getHandle(), 0));
}

TEST(MenuCommands, OnlyMenuCommandsForItsItemsRunThemAndOthersKindsAreRefused) {
    MenuTestWindow window;
    int runs = 0;
    bool enabled = true;
    Command command(
        "menu.edit.copy", [&] { ++runs; }, [&] { return enabled; });
    Popup popup("menu.edit");
    popup.appendSeparator();
    const int separatorId = popup.getId() + 1;
    Popup* sub = append(popup, std::make_unique<Popup>("menu.view.notecolor"));
    const int subId = sub->getId();
    const int id = append(*sub, std::make_unique<Item>(command))->getId();
    popup.install(&window);
    const HWND hwnd = window.getHandle();

    // Parent and sub-popup both watch the window; the first one that knows the id answers.
    sendCommand(hwnd, id, 0);
    EXPECT_EQ(1, runs);
    // An accelerator's command, and a button's click (its own id, high word 0, its handle).
    sendCommand(hwnd, id, 1);
    sendCommand(hwnd, id, BN_CLICKED, reinterpret_cast<LPARAM>(hwnd));
    enabled = false;
    sendCommand(hwnd, id, 0);
    EXPECT_EQ(1, runs);

    LRESULT result = 0;
    Item stranger(command);
    MSG msg = commandMessage(stranger.getId(), 0);
    EXPECT_FALSE(popup.intercept(msg, result));
    for (const int wrong : {separatorId, subId}) {
        msg = commandMessage(wrong, 0);
        EXPECT_EQ("Wrong kind of menu item ID",
                  messageOf<err::InvalidArgumentException>([&] { popup.intercept(msg, result); }));
    }
}

TEST(MenuBar, PopupsAreAppendedPlainAndFollowTheBarsWindow) {
    MenuTestWindow window;
    int runs = 0;
    Command command("menu.file.exit", [&] { ++runs; });
    Menubar menubar;
    // Appended before the bar is installed: installing the bar installs it too.
    Popup* file = append(menubar, std::make_unique<Popup>("menu.file"));
    const int id = append(*file, std::make_unique<Item>(command))->getId();
    menubar.install(&window);
    Popup* view = append(menubar, std::make_unique<Popup>("menu.view"));
    const int otherId = append(*view, std::make_unique<Item>(command))->getId();
    menubar.attach(window.getHandle());

    EXPECT_FALSE(entryAt(menubar.getHandle(), 0).fType & MFT_OWNERDRAW);
    wchar_t text[32] = {};
    GetMenuStringW(menubar.getHandle(), 0, text, 32, MF_BYPOSITION);
    EXPECT_EQ(res::getText("menu.file"), std::wstring(text));
    sendCommand(window.getHandle(), id, 0);
    sendCommand(window.getHandle(), otherId, 0);
    EXPECT_EQ(2, runs);
    // Taken off the window before the window dies: a destroyed window destroys its menu.
    SetMenu(window.getHandle(), nullptr);
}

TEST(MenuLifetime, TheMenuHandleDiesWithItsObject) {
    HMENU handles[3] = {};
    {
        Menubar menubar;
        Popup* popup = append(menubar, std::make_unique<Popup>("menu.edit"));
        handles[0] = menubar.getHandle();
        handles[1] = popup->getHandle();
        handles[2] = append(*popup, std::make_unique<Popup>("menu.view"))->getHandle();
        EXPECT_TRUE(IsMenu(handles[2]));
    }
    for (const HMENU handle : handles) {
        EXPECT_FALSE(IsMenu(handle));
    }
}
