#include "IconSamples.hpp"
#include "WinTestSupport.hpp"

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

using testing_support::TestTopWindow;
using ui::menu::CheckCommand;
using ui::menu::CheckItem;
using ui::menu::Command;
using ui::menu::DefaultItem;
using ui::menu::Item;
using ui::menu::Menubar;
using ui::menu::Popup;
using ui::menu::Separator;

namespace {

class MenuTestWindow : public TestTopWindow {
public:
    MenuTestWindow() : TestTopWindow(L"Oskel.MenuTestWindow") { create(); }
};

template <typename Exception, typename Call>
std::string messageOf(Call call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.what();
    }
    return "(nothing thrown)";
}

MENUITEMINFOW entryAt(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STATE;
    EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
    return info;
}

bool isGreyed(HMENU menu, UINT position) {
    const UINT state = GetMenuState(menu, position, MF_BYPOSITION);
    return (state & (MF_GRAYED | MF_DISABLED)) == (MF_GRAYED | MF_DISABLED);
}

LRESULT sendCommand(HWND window, int id, WORD source, LPARAM control = 0) {
    return SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, source), control);
}

}  // namespace

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
    Item after(command);
    EXPECT_EQ(defaultItem.getId() + 3, after.getId());
}

TEST(MenuCommand, RunsOnlyWhileEnabledAndKeepsItsOwnIcon) {
    int runs = 0;
    bool enabled = false;
    bool checked = true;
    Command command("menu.edit.copy", [&] { ++runs; }, [&] { return enabled; });
    command.execute();
    EXPECT_EQ(0, runs);
    enabled = true;
    command.execute();
    EXPECT_EQ(1, runs);
    EXPECT_TRUE(Command("menu.edit.copy").isEnabled());
    EXPECT_NO_THROW(Command("menu.edit.copy").execute());
    EXPECT_EQ(res::getText("menu.edit.copy"), command.getText());

    CheckCommand check("menu.options.silentclipping", nullptr, [&] { return checked; });
    EXPECT_TRUE(check.isChecked());
    checked = false;
    EXPECT_FALSE(check.isChecked());
    EXPECT_FALSE(CheckCommand("menu.options.silentclipping", nullptr, nullptr).isChecked());

    const HICON original = testing_support::makeColourIcon(16, 16, RGB(10, 20, 30));
    {
        Command withIcon("menu.edit.copy", nullptr, nullptr, gdi::Icon(original, false));
        const gdi::Icon shown = withIcon.getIcon();
        ASSERT_FALSE(shown.isNull());
        EXPECT_NE(original, shown.getHandle());
        EXPECT_TRUE(command.getIcon().isNull());
    }
    // The command's duplicate died with it; the caller's icon is still usable.
    EXPECT_EQ(16, gdi::Icon(original, false).getWidth());
    DestroyIcon(original);
}

TEST(MenuItems, FlagsTextAndStateFollowTheKind) {
    bool enabled = false;
    Command command("menu.edit.edit", nullptr, [&] { return enabled; });
    CheckCommand check("menu.options.silentclipping", nullptr, nullptr);
    Item item(command);
    Separator separator;
    Popup popup("menu.view.notecolor");
    EXPECT_EQ(0x0100u, item.getMenuFlags());
    EXPECT_EQ(0x0108u, CheckItem(check).getMenuFlags());
    EXPECT_EQ(0x1100u, DefaultItem(command).getMenuFlags());
    EXPECT_EQ(0x0900u, separator.getMenuFlags());
    EXPECT_EQ(0x0110u, popup.getMenuFlags());

    EXPECT_EQ(L"&Edit\tEnter", item.getText());
    EXPECT_EQ(res::getText("menu.view.notecolor"), popup.getText());
    EXPECT_EQ(L"", Popup().getText());
    EXPECT_FALSE(item.isEnabled());
    enabled = true;
    EXPECT_TRUE(item.isEnabled());
    EXPECT_FALSE(separator.isEnabled());
}

TEST(MenuItems, HiddenCuesDropMnemonicMarksButKeepLiteralAmpersands) {
    EXPECT_EQ(L"Edit", ui::menu::withoutMnemonics(L"&Edit"));
    EXPECT_EQ(L"Save & Close", ui::menu::withoutMnemonics(L"Save && &Close"));
    EXPECT_EQ(L"End", ui::menu::withoutMnemonics(L"End&"));
}

TEST(MenuPopup, EntriesAreOwnerDrawnWithTheIdAsItemData) {
    Command command("menu.edit.copy");
    Popup popup("menu.edit");
    auto item = std::make_unique<Item>(command);
    const int itemId = item->getId();
    popup.appendItem(std::move(item));
    popup.appendSeparator();
    auto sub = std::make_unique<Popup>("menu.view.notecolor");
    const int subId = sub->getId();
    const HMENU subHandle = sub->getHandle();
    popup.appendSubmenu(std::move(sub));

    ASSERT_EQ(3, GetMenuItemCount(popup.getHandle()));
    const MENUITEMINFOW first = entryAt(popup.getHandle(), 0);
    EXPECT_TRUE(first.fType & MFT_OWNERDRAW);
    EXPECT_EQ(static_cast<UINT>(itemId), first.wID);
    EXPECT_EQ(static_cast<ULONG_PTR>(itemId), first.dwItemData);

    const MENUITEMINFOW second = entryAt(popup.getHandle(), 1);
    EXPECT_TRUE(second.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(second.fType & MFT_SEPARATOR);
    EXPECT_EQ(0u, second.wID);
    EXPECT_EQ(static_cast<ULONG_PTR>(itemId + 1), second.dwItemData);

    const MENUITEMINFOW third = entryAt(popup.getHandle(), 2);
    EXPECT_TRUE(third.fType & MFT_OWNERDRAW);
    EXPECT_EQ(subHandle, third.hSubMenu);
    EXPECT_EQ(static_cast<ULONG_PTR>(subId), third.dwItemData);
}

TEST(MenuPopup, MisuseThrowsTheDocumentedMessages) {
    Popup popup;
    EXPECT_TRUE(popup.isEmpty());
    EXPECT_EQ("Precondition failed:\nui::menu::Popup::getItem\n!isEmpty()",
              messageOf<err::RuntimeException>([&] { popup.getItem(1); }));
    EXPECT_EQ("Null pointer in ptr_map_adapter::insert()",
              messageOf<err::InvalidArgumentException>([&] { popup.appendItem(nullptr); }));
    EXPECT_EQ("Precondition failed:\nui::menu::Popup::appendSubmenu\npopup",
              messageOf<err::InvalidArgumentException>([&] { popup.appendSubmenu(nullptr); }));
    Menubar menubar;
    EXPECT_EQ("Precondition failed:\nui::menu::Menubar::appendSubmenu\nsub!=0",
              messageOf<err::InvalidArgumentException>([&] { menubar.appendSubmenu(nullptr); }));
    EXPECT_TRUE(popup.isEmpty());
}

TEST(MenuPopup, GetItemAndContainsSearchSubPopupsInOrder) {
    Command command("menu.edit.copy");
    Popup popup("menu.edit");
    auto own = std::make_unique<Item>(command);
    Item* ownItem = own.get();
    popup.appendItem(std::move(own));

    auto sub = std::make_unique<Popup>("menu.view.notecolor");
    Popup* subPopup = sub.get();
    auto nested = std::make_unique<Popup>("menu.view");
    Popup* nestedPopup = nested.get();
    auto deep = std::make_unique<Item>(command);
    Item* deepItem = deep.get();
    nested->appendItem(std::move(deep));
    sub->appendSubmenu(std::move(nested));
    popup.appendSubmenu(std::move(sub));

    EXPECT_EQ(ownItem, popup.getItem(ownItem->getId()));
    EXPECT_EQ(static_cast<ui::menu::BasicItem*>(subPopup), popup.getItem(subPopup->getId()));
    EXPECT_EQ(static_cast<ui::menu::BasicItem*>(nestedPopup), popup.getItem(nestedPopup->getId()));
    EXPECT_EQ(deepItem, popup.getItem(deepItem->getId()));
    EXPECT_EQ(deepItem, subPopup->getItem(deepItem->getId()));

    EXPECT_TRUE(popup.contains(deepItem->getId()));
    EXPECT_TRUE(popup.contains(subPopup->getId()));
    EXPECT_FALSE(popup.contains(popup.getId()));
    EXPECT_FALSE(subPopup->contains(ownItem->getId()));

    Item stranger(command);
    EXPECT_FALSE(popup.contains(stranger.getId()));
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
    auto sub = std::make_unique<Popup>("menu.view.notecolor");
    sub->appendItem(std::make_unique<Item>(colour));
    sub->appendItem(std::make_unique<Item>(colour));
    sub->appendSeparator();
    popup.appendSubmenu(std::move(sub));
    popup.install(&window);
    const HMENU subHandle = GetSubMenu(popup.getHandle(), 1);

    // The popup refreshes when the system is about to open it.
    SendMessageW(window.getHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.getHandle()), 0);
    EXPECT_TRUE(isGreyed(popup.getHandle(), 0));
    EXPECT_TRUE(isGreyed(popup.getHandle(), 1));
    EXPECT_TRUE(isGreyed(subHandle, 0));
    EXPECT_TRUE(isGreyed(subHandle, 1));

    // States are computed each time, never kept.
    openEnabled = true;
    SendMessageW(window.getHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.getHandle()), 0);
    EXPECT_FALSE(isGreyed(popup.getHandle(), 0));
    EXPECT_TRUE(isGreyed(popup.getHandle(), 1));

    colourEnabled = true;
    SendMessageW(window.getHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.getHandle()), 0);
    EXPECT_FALSE(isGreyed(popup.getHandle(), 1));
    EXPECT_FALSE(isGreyed(subHandle, 0));
    EXPECT_FALSE(isGreyed(subHandle, 1));
}

TEST(MenuEnabledStates, APopupHoldingOnlyAnEnabledSubPopupStaysEnabled) {
    Command command("menu.view.notecolor.red");
    Popup outer("menu.view");
    auto middle = std::make_unique<Popup>("menu.view.notecolor");
    auto inner = std::make_unique<Popup>("menu.view.notecolor");
    inner->appendItem(std::make_unique<Item>(command));
    middle->appendSubmenu(std::move(inner));
    outer.appendSubmenu(std::move(middle));
    outer.refreshEnabledStates();
    EXPECT_FALSE(isGreyed(outer.getHandle(), 0));
    EXPECT_TRUE(outer.isEnabled());
}

TEST(MenuEnabledStates, ASubPopupMissingFromItsParentsEntriesThrows) {
    Command command("menu.view.notecolor.red");
    Popup popup("menu.view");
    auto sub = std::make_unique<Popup>("menu.view.notecolor");
    sub->appendItem(std::make_unique<Item>(command));
    const HMENU subHandle = sub->getHandle();
    popup.appendSubmenu(std::move(sub));
    popup.appendSeparator();
    // Taken out behind the popup's back; the handle stays with its object.
    ASSERT_TRUE(RemoveMenu(popup.getHandle(), 0, MF_BYPOSITION));
    ASSERT_TRUE(IsMenu(subHandle));
    EXPECT_EQ("Precondition failed:\nui::menu::`anonymous-namespace'::enableSubmenu\npos >= 0",
              messageOf<err::RuntimeException>([&] { popup.refreshEnabledStates(); }));
}

TEST(MenuCommands, OnlyMenuCommandsForItsItemsRunThem) {
    MenuTestWindow window;
    int runs = 0;
    bool enabled = true;
    Command command("menu.edit.copy", [&] { ++runs; }, [&] { return enabled; });
    Popup popup("menu.edit");
    auto sub = std::make_unique<Popup>("menu.view.notecolor");
    auto nested = std::make_unique<Item>(command);
    const int id = nested->getId();
    sub->appendItem(std::move(nested));
    popup.appendSubmenu(std::move(sub));
    popup.install(&window);
    const HWND hwnd = window.getHandle();

    // Parent and sub-popup both watch the window; the first one that knows the id answers.
    sendCommand(hwnd, id, 0);
    EXPECT_EQ(1, runs);
    // An accelerator's command, and a button's click (its own id, high word 0, its handle).
    sendCommand(hwnd, id, 1);
    sendCommand(hwnd, id, BN_CLICKED, reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(1, runs);
    enabled = false;
    sendCommand(hwnd, id, 0);
    EXPECT_EQ(1, runs);

    Item stranger(command);
    MSG msg{};
    msg.message = WM_COMMAND;
    msg.wParam = MAKEWPARAM(stranger.getId(), 0);
    LRESULT result = 0;
    EXPECT_FALSE(popup.intercept(msg, result));
}

TEST(MenuCommands, ACommandNamingASeparatorOrSubPopupIsTheWrongKind) {
    Command command("menu.edit.copy");
    Popup popup("menu.edit");
    popup.appendItem(std::make_unique<Item>(command));
    popup.appendSeparator();
    const int separatorId = popup.getId() + 2;
    ASSERT_TRUE(dynamic_cast<Separator*>(popup.getItem(separatorId)) != nullptr);
    auto sub = std::make_unique<Popup>("menu.view.notecolor");
    const int subId = sub->getId();
    popup.appendSubmenu(std::move(sub));

    for (const int id : {separatorId, subId}) {
        MSG msg{};
        msg.message = WM_COMMAND;
        msg.wParam = MAKEWPARAM(id, 0);
        LRESULT result = 0;
        EXPECT_EQ("Wrong kind of menu item ID",
                  messageOf<err::InvalidArgumentException>([&] { popup.intercept(msg, result); }));
    }
}

TEST(MenuTrack, AnEmptyPopupIsNotShown) {
    MenuTestWindow window;
    Popup popup;
    popup.install(&window);
    EXPECT_EQ(0, popup.track(10, 10, TPM_RETURNCMD));
}

TEST(MenuBar, PopupsAreAppendedPlainAndFollowTheBarsWindow) {
    MenuTestWindow window;
    int runs = 0;
    Command command("menu.file.exit", [&] { ++runs; });
    Menubar menubar;
    auto file = std::make_unique<Popup>("menu.file");
    auto item = std::make_unique<Item>(command);
    const int id = item->getId();
    file->appendItem(std::move(item));
    const HMENU fileHandle = file->getHandle();
    // Appended before the bar is installed: installing the bar installs it too.
    menubar.appendSubmenu(std::move(file));
    menubar.install(&window);
    auto view = std::make_unique<Popup>("menu.view");
    auto other = std::make_unique<Item>(command);
    const int otherId = other->getId();
    view->appendItem(std::move(other));
    menubar.appendSubmenu(std::move(view));
    menubar.attach(window.getHandle());
    EXPECT_EQ(menubar.getHandle(), GetMenu(window.getHandle()));

    const MENUITEMINFOW entry = entryAt(menubar.getHandle(), 0);
    EXPECT_FALSE(entry.fType & MFT_OWNERDRAW);
    EXPECT_EQ(fileHandle, entry.hSubMenu);
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
    HMENU popupHandle = nullptr;
    HMENU subHandle = nullptr;
    HMENU barHandle = nullptr;
    {
        Menubar menubar;
        barHandle = menubar.getHandle();
        auto popup = std::make_unique<Popup>("menu.edit");
        auto sub = std::make_unique<Popup>("menu.view");
        popupHandle = popup->getHandle();
        subHandle = sub->getHandle();
        popup->appendSubmenu(std::move(sub));
        menubar.appendSubmenu(std::move(popup));
        EXPECT_TRUE(IsMenu(barHandle));
        EXPECT_TRUE(IsMenu(subHandle));
    }
    EXPECT_FALSE(IsMenu(barHandle));
    EXPECT_FALSE(IsMenu(popupHandle));
    EXPECT_FALSE(IsMenu(subHandle));
}
