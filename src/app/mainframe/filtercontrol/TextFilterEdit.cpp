#include "app/mainframe/filtercontrol/TextFilterEdit.hpp"

#include "app/model/FilterChoices.hpp"
#include "gdi/Canvas.hpp"
#include "gdi/NonClientCanvas.hpp"
#include "ui/menu/CheckItem.hpp"

#include <string>
#include <vector>

namespace app::mainframe::filtercontrol {

using model::filterChoices;
using model::TextFilter;

namespace {

constexpr int clearIconId = 126;
constexpr int searchIconId = 127;
constexpr int arrowIconId = 133;
constexpr int textAndTitleIconId = 131;

// The field icons in the order of the choices.
constexpr std::array<int, filterChoices.size()> choiceIconIds{140, 131, 130, 128, 132, 129, 135};

// Drawn over the focus outline while there is a search text.
constexpr COLORREF activeFrameColor = RGB(120, 190, 255);

// The menu's text key is the choice's key without its ordering prefix ("0.filter.all").
std::string textKeyOf(const char* choiceKey) {
    const std::string key(choiceKey);
    return key.substr(key.find('.') + 1);
}

std::size_t choiceIndexOf(TextFilter::Fields fields) {
    for (std::size_t i = 0; i < filterChoices.size(); ++i) {
        if (filterChoices[i].fields == fields) {
            return i;
        }
    }
    return filterChoices.size();
}

bool held(int key) {
    return GetKeyState(key) < 0;
}

}  // namespace

TextFilterEdit::TextFilterEdit(ui::Window* parent)
    : Edit(parent),
      searchIcon_(searchIconId, iconSize, iconSize),
      arrowIcon_(arrowIconId, iconSize, iconSize),
      clearIcon_(clearIconId, iconSize, iconSize),
      otherFieldsIcon_(textAndTitleIconId, iconSize, iconSize) {
    setPaddings(leftPadding, 3, rightPadding, 3);
    for (std::size_t i = 0; i < filterChoices.size(); ++i) {
        choiceIcons_[i] = gdi::Icon(choiceIconIds[i], iconSize, iconSize);
        const TextFilter::Fields fields = filterChoices[i].fields;
        commands_.push_back(std::make_unique<ui::menu::CheckCommand>(
            textKeyOf(filterChoices[i].key), [this, i] { selectChoice(i); },
            [this, fields] { return fields_ == fields; }, ui::menu::Command::Predicate(), choiceIcons_[i]));
        fieldMenu_.appendItem(std::make_unique<ui::menu::CheckItem>(*commands_.back()));
        // Anywhere stands apart from the single fields and their pair.
        if (i == 0) {
            fieldMenu_.appendSeparator();
        }
    }
    fieldMenu_.install(this);
}

TextFilterEdit::~TextFilterEdit() = default;

void TextFilterEdit::afterCreate() {
    Edit::afterCreate();
    setWidth(240);
    setMinWidth(240);
}

// The clear button and the outline follow the text.
bool TextFilterEdit::onCommand(int code, ULONG_PTR param) {
    if (code == EN_CHANGE) {
        repaintFrame();
    }
    return Edit::onCommand(code, param);
}

POINT TextFilterEdit::searchIconAt(int height) {
    return POINT{3, (height - iconSize) / 2};
}

POINT TextFilterEdit::fieldIconAt(int height) {
    return POINT{3 + iconSize, (height - iconSize) / 2};
}

POINT TextFilterEdit::clearIconAt(int width, int height) {
    return POINT{width - 3 - iconSize, (height - iconSize) / 2};
}

// The frame and the band come first, then the icons go into the band.
bool TextFilterEdit::onNcPaint(HRGN region) {
    const bool handled = Edit::onNcPaint(region);
    RECT bounds;
    if (GetWindowRect(getHandle(), &bounds)) {
        gdi::NonClientCanvas canvas(getHandle());
        paintDecorations(canvas, bounds.right - bounds.left, bounds.bottom - bounds.top);
    }
    return handled;
}

void TextFilterEdit::paintDecorations(gdi::Canvas& canvas, int width, int height) {
    const HWND window = getHandle();
    const bool editable = IsWindowEnabled(window) && (GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY) == 0;
    const POINT search = searchIconAt(height);
    canvas.drawImage(searchIcon_, search.x, search.y, true);
    if (editable) {
        const std::size_t choice = choiceIndexOf(fields_);
        const gdi::Icon& fieldIcon = choice < choiceIcons_.size() ? choiceIcons_[choice] : otherFieldsIcon_;
        const POINT field = fieldIconAt(height);
        canvas.drawImage(fieldIcon, field.x, field.y, true);
        canvas.drawImage(arrowIcon_, field.x + 1, field.y + 1, true);
    }
    if (GetWindowTextLengthW(window) > 0) {
        canvas.setForegroundColor(activeFrameColor);
        canvas.drawRect(0, 0, width - 1, height - 1);
        const POINT clear = clearIconAt(width, height);
        canvas.drawImage(clearIcon_, clear.x, clear.y, true);
    }
}

// The margins around the text area are non-client; they answer as border so that clicks
// there come as non-client clicks instead of moving the caret.
bool TextFilterEdit::onNcHitTest(int x, int y, LRESULT& result) {
    RECT bounds;
    if (!GetWindowRect(getHandle(), &bounds)) {
        return false;
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return false;
    }
    const bool inText = x >= 1 + leftPadding && x < width - 1 - rightPadding && y >= 1 + getPaddingTop()
                        && y < height - 1 - getPaddingBottom();
    if (inText) {
        return false;
    }
    result = HTBORDER;
    return true;
}

bool TextFilterEdit::onNcLButtonDown(int x, int y) {
    RECT bounds;
    if (!GetWindowRect(getHandle(), &bounds)) {
        return false;
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (x < 1 + leftPadding) {
        showFieldMenu(13);
        return true;
    }
    const POINT clear = clearIconAt(width, height);
    if (GetWindowTextLengthW(getHandle()) > 0 && x >= clear.x && x < clear.x + iconSize && y >= clear.y
        && y < clear.y + iconSize) {
        setText(std::wstring());
        return true;
    }
    // Elsewhere in the band a click is as good as one in the text.
    focus();
    return true;
}

bool TextFilterEdit::onKeyDown(int key, int repeat, bool extended, bool wasDown) {
    const bool ctrl = held(VK_CONTROL);
    switch (key) {
    case VK_UP:
        if (ctrl) {
            stepFields(-1);
            return true;
        }
        break;
    case VK_DOWN:
        if (ctrl) {
            stepFields(1);
        } else {
            listFocusRequested();
        }
        return true;
    case VK_PRIOR:
        if (ctrl) {
            selectChoice(0);
            return true;
        }
        break;
    case VK_NEXT:
        if (ctrl) {
            selectChoice(filterChoices.size() - 1);
        } else {
            listFocusRequested();
        }
        return true;
    default:
        break;
    }
    return Edit::onKeyDown(key, repeat, extended, wasDown);
}

bool TextFilterEdit::onSysKeyDown(int key, int repeat, bool extended, bool wasDown, bool altDown) {
    if (key == VK_DOWN && altDown) {
        showFieldMenu(5);
        return true;
    }
    return Edit::onSysKeyDown(key, repeat, extended, wasDown, altDown);
}

void TextFilterEdit::setFields(TextFilter::Fields fields) {
    fields_ = fields;
    repaintFrame();
    fieldsChanged();
}

// Fields that are none of the choices step to the first choice going down and to the last
// going up; at either end nothing changes.
void TextFilterEdit::stepFields(int delta) {
    const std::size_t current = choiceIndexOf(fields_);
    std::size_t next = 0;
    if (current == filterChoices.size()) {
        next = delta > 0 ? 0 : filterChoices.size() - 1;
    } else if (delta > 0) {
        if (current + 1 == filterChoices.size()) {
            return;
        }
        next = current + 1;
    } else {
        if (current == 0) {
            return;
        }
        next = current - 1;
    }
    selectChoice(next);
}

void TextFilterEdit::selectChoice(std::size_t index) {
    setFields(filterChoices.at(index).fields);
}

void TextFilterEdit::showFieldMenu(int x) {
    RECT bounds;
    if (!isAttached() || !GetWindowRect(getHandle(), &bounds)) {
        return;
    }
    fieldMenu_.track(bounds.left + x, bounds.bottom, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON);
}

void TextFilterEdit::repaintFrame() {
    if (isAttached()) {
        RedrawWindow(getHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

}  // namespace app::mainframe::filtercontrol
