#include "app/mainframe/FilterControl.hpp"

#include "app/model/INotebookView.hpp"
#include "res/StringsBundle.hpp"
#include "ui/layout/BoxLayouts.hpp"

namespace app::mainframe {

namespace {

constexpr int statusWidth = 170;
constexpr COLORREF filteredTextColor = RGB(100, 100, 100);
constexpr COLORREF totalTextColor = RGB(150, 150, 150);

}  // namespace

FilterControl::FilterControl(ui::Window* parent, model::INotebookView& view)
    : Panel(parent, 0, 0),
      view_(view),
      edit_(this),
      status_(this, std::wstring()),
      pane_(ui::layout::HBoxLayout(ui::layout::Alignment::left, ui::layout::Alignment::center), 0, 0),
      normal_(GetSysColor(COLOR_BTNFACE)),
      active_(normal_) {
    pane_.setPaddings(8, 4, 18, 4);
    edit_.changed.connect([this] { textChanged(); });
    edit_.fieldsChanged.connect([this] { fieldsChanged(); });
    edit_.listFocusRequested.connect([this] { listFocusRequested(); });
    // A delete or an import changes the count as much as a new filter does.
    viewChanged_ = view_.changed.connect([this] { updateStatus(); });
    viewReset_ = view_.reset.connect([this] { updateStatus(); });
}

FilterControl::~FilterControl() = default;

// Tab moves from the main window's controls into the edit.
unsigned FilterControl::getExStyle() const {
    return Panel::getExStyle() | WS_EX_CONTROLPARENT;
}

// A plain panel disables itself, but the system passes no clicks to the children of a
// disabled window; this one holds the edit, so it stays enabled. It still never takes the
// focus itself.
void FilterControl::afterCreate() {
    Panel::afterCreate();
    setEnabled(true);
    edit_.create();
    status_.create();
    status_.setWidth(statusWidth);
    status_.setMinWidth(statusWidth);
    status_.setMarginLeft(15);
    pane_.put(&edit_);
    pane_.put(&status_);
    setMinWidth(pane_.getMinWidth());
    setMinHeight(pane_.getMinHeight());
    setWidth(pane_.getMinWidth());
    setHeight(pane_.getMinHeight());
    updateStatus();
}

bool FilterControl::onSize(int width, int height) {
    pane_.setBounds(0, 0, width, height, true);
    return Panel::onSize(width, height);
}

std::wstring FilterControl::getText() const {
    return edit_.getText();
}

bool FilterControl::hasText() const {
    return edit_.isAttached() && GetWindowTextLengthW(edit_.getHandle()) > 0;
}

model::TextFilter::Fields FilterControl::getFields() const {
    return edit_.getFields();
}

void FilterControl::setFields(model::TextFilter::Fields fields) {
    edit_.setFields(fields);
}

void FilterControl::clear() {
    updateStatus();
    edit_.setText(std::wstring());
    filterCleared();
}

void FilterControl::typeChar(wchar_t character) {
    focusEdit();
    edit_.setText(std::wstring(1, character));
    SendMessageW(edit_.getHandle(), EM_SETSEL, 1, 1);
}

void FilterControl::focusEdit() {
    edit_.focus();
}

void FilterControl::setBackgroundColors(app::ColorRef normal, app::ColorRef active) {
    normal_ = normal;
    active_ = active;
    updateStatus();
}

void FilterControl::setBackgroundColors(app::ColorRef both) {
    setBackgroundColors(both, both);
}

void FilterControl::updateStatus() {
    const int count = view_.count();
    const bool filtered = hasText();
    const char* key = nullptr;
    if (filtered) {
        key = count == 1 ? "filtercontrol.filtered" : "filtercontrol.filtered_many";
    } else {
        key = count == 1 ? "filtercontrol.total" : "filtercontrol.total_many";
    }
    status_.setText(res::formatText(key, std::to_wstring(count)));
    const app::ColorRef background = filtered ? active_ : normal_;
    setBackgroundColor(background);
    status_.setBackgroundColor(background);
    status_.setTextColor(filtered ? filteredTextColor : totalTextColor);
    if (edit_.isAttached()) {
        RedrawWindow(edit_.getHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

// The owner installs the filter first, so the status counts what the view shows with it.
void FilterControl::textChanged() {
    filterChanged();
    updateStatus();
}

// New fields change nothing the user sees in the list while there is no text to search.
void FilterControl::fieldsChanged() {
    if (hasText()) {
        filterChanged();
    }
}

}  // namespace app::mainframe
