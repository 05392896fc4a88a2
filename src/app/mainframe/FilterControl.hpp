#pragma once

#include "app/Color.hpp"
#include "app/mainframe/filtercontrol/TextFilterEdit.hpp"
#include "app/model/TextFilter.hpp"
#include "ui/controls/Label.hpp"
#include "ui/controls/Panel.hpp"
#include "ui/layout/Pane.hpp"

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

#include <string>

namespace app::model {
class INotebookView;
}

namespace app::mainframe {

// The search bar above the notes list: the search box and a status text with the number of
// notes the view shows, on a background that tells whether a search is in force. It only
// reports what the user asks for; whoever owns the view installs the filter.
class FilterControl : public ui::controls::Panel {
public:
    FilterControl(ui::Window* parent, model::INotebookView& view);
    ~FilterControl() override;

    unsigned getExStyle() const override;
    void afterCreate() override;
    bool onSize(int width, int height) override;

    std::wstring getText() const;
    bool hasText() const;
    model::TextFilter::Fields getFields() const;
    void setFields(model::TextFilter::Fields fields);
    // Shows the total, empties the text (which raises filterChanged) and raises filterCleared.
    void clear();
    // Gives the edit the focus and makes the character its whole text, with the caret after it.
    void typeChar(wchar_t character);
    void focusEdit();
    void setBackgroundColors(app::ColorRef normal, app::ColorRef active);
    void setBackgroundColors(app::ColorRef both);
    // Counts the view's notes into the status text and colours the bar for the text's state.
    // Runs by itself whenever the view changes.
    void updateStatus();

    filtercontrol::TextFilterEdit& getEdit() { return edit_; }
    ui::controls::Label& getStatusLabel() { return status_; }

    // The search text or the fields changed.
    boost::signals2::signal<void()> filterChanged;
    boost::signals2::signal<void()> filterCleared;
    // Down or Page Down in the edit.
    boost::signals2::signal<void()> listFocusRequested;

private:
    void textChanged();
    void fieldsChanged();

    model::INotebookView& view_;
    filtercontrol::TextFilterEdit edit_;
    ui::controls::Label status_;
    ui::layout::Pane pane_;
    app::ColorRef normal_;
    app::ColorRef active_;
    boost::signals2::scoped_connection viewChanged_;
    boost::signals2::scoped_connection viewReset_;
};

}  // namespace app::mainframe
