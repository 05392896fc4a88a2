#pragma once

#include "app/model/FilterChoices.hpp"
#include "app/model/TextFilter.hpp"
#include "gdi/Icon.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/menu/CheckCommand.hpp"
#include "ui/menu/Popup.hpp"

#include <boost/signals2/signal.hpp>

#include <array>
#include <memory>
#include <vector>

namespace gdi {
class Canvas;
}

namespace app::mainframe::filtercontrol {

// The search box of the filter bar. Inside its frame, left of the text, it shows a magnifier
// and the icon of the fields being searched, with an arrow: a click there opens the menu of
// fields. Right of the text, while there is any, a button that empties it.
class TextFilterEdit : public ui::controls::Edit {
public:
    // The widths of the icon margins around the text area, frame excluded.
    static constexpr int leftPadding = 38;
    static constexpr int rightPadding = 21;
    static constexpr int iconSize = 16;

    explicit TextFilterEdit(ui::Window* parent);
    ~TextFilterEdit() override;

    void afterCreate() override;
    bool onCommand(int code, ULONG_PTR param) override;
    bool onNcPaint(HRGN region) override;
    bool onNcHitTest(int x, int y, LRESULT& result) override;
    bool onNcLButtonDown(int x, int y) override;
    bool onKeyDown(int key, int repeat, bool extended, bool wasDown) override;
    bool onSysKeyDown(int key, int repeat, bool extended, bool wasDown, bool altDown) override;

    model::TextFilter::Fields getFields() const { return fields_; }
    // Stores the fields, shows their icon and raises fieldsChanged, also when they are the
    // ones already shown.
    void setFields(model::TextFilter::Fields fields);
    // Opens the field menu with its top-left corner `x` pixels right of the edit's left edge,
    // just below the edit; returns when the menu has closed.
    void showFieldMenu(int x);
    ui::menu::Popup& getFieldMenu() { return fieldMenu_; }

    // Where the icons are drawn, in window coordinates, for a window of this height and width.
    static POINT searchIconAt(int height);
    static POINT fieldIconAt(int height);
    static POINT clearIconAt(int width, int height);

    // The fields were set: from the menu, by the keys or by the program.
    boost::signals2::signal<void()> fieldsChanged;
    // Down or Page Down without Ctrl: the user moves on to the list below.
    boost::signals2::signal<void()> listFocusRequested;

private:
    void paintDecorations(gdi::Canvas& canvas, int width, int height);
    void stepFields(int delta);
    void selectChoice(std::size_t index);
    void repaintFrame();

    model::TextFilter::Fields fields_ = model::TextFilter::All;
    gdi::Icon searchIcon_;
    gdi::Icon arrowIcon_;
    gdi::Icon clearIcon_;
    gdi::Icon otherFieldsIcon_;
    std::array<gdi::Icon, model::filterChoices.size()> choiceIcons_;
    std::vector<std::unique_ptr<ui::menu::CheckCommand>> commands_;
    ui::menu::Popup fieldMenu_;
};

}  // namespace app::mainframe::filtercontrol
