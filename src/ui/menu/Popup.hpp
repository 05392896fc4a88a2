#pragma once

#include "ui/menu/BasicItem.hpp"
#include "ui/menu/BasicMenu.hpp"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ui {
class MessageWindow;
}

namespace ui::menu {

// Private message a popup posts to its owner window after drawing: repaint the border of
// the menu window. wParam is 0, lParam points at the popup's copy of the draw record.
constexpr UINT WM_REPAINTMENUFRAME = 0x0464;

// A drop-down or context menu drawn by the program. It owns its entries and sub-popups and,
// as an item of a parent popup, is the entry that opens it.
class Popup : public BasicMenu, public BasicItem {
public:
    // A context menu has no text and can use the empty key.
    explicit Popup(std::string textKey = std::string());
    ~Popup() override;

    // Takes ownership; the entry gets the item's id, flags and text.
    void appendItem(std::unique_ptr<BasicItem> item);
    void appendSeparator();
    // Takes ownership; the sub-popup is installed wherever this popup is.
    void appendSubmenu(std::unique_ptr<Popup> popup);

    // Installs this popup and every sub-popup on the target.
    void install(MessageTarget* target) override;
    bool intercept(const MSG& msg, LRESULT& result) override;

    // The item with the id among the entries and, depth first, the sub-popups; null when
    // there is none. Throws err::RuntimeException on an empty popup.
    BasicItem* getItem(int id);
    bool contains(int id) const;
    // Shows the popup at the screen point, owned by the window it is installed on (a
    // message-only window of its own while it is installed nowhere), and answers what
    // TrackPopupMenu answers. An empty popup is not shown and answers 0.
    int track(int x, int y, unsigned flags);
    // Enables each entry by its item's isEnabled(), sub-popups included.
    void refreshEnabledStates();

    const std::string& getTextKey() const { return textKey_; }

    unsigned getMenuFlags() const override;
    gdi::Icon getIcon() const override;
    std::wstring getText() const override;
    // True when any of its entries is enabled.
    bool isEnabled() const override;
    void draw(gdi::Canvas& canvas, const gdi::Rect& rect, unsigned state) override;

private:
    bool onMeasureItem(MEASUREITEMSTRUCT* record);
    bool onDrawItem(HWND owner, const DRAWITEMSTRUCT* record);
    bool onRepaintFrame(const MSG& msg);
    bool onCommand(int id);
    void repaintFrame(const DRAWITEMSTRUCT& record);
    HWND ownerForTracking();

    std::string textKey_;
    std::map<int, std::unique_ptr<BasicItem>> items_;
    std::vector<std::unique_ptr<Popup>> submenus_;
    std::unique_ptr<MessageWindow> standBy_;
    DRAWITEMSTRUCT lastDraw_;
};

}  // namespace ui::menu
