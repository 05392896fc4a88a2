#pragma once

#include "app/mainframe/noteslist/NoteLayout.hpp"
#include "app/mainframe/noteslist/Palette.hpp"
#include "gdi/Icon.hpp"
#include "gdi/Rect.hpp"

#include <memory>
#include <string>

namespace gdi {
class Canvas;
class Font;
class MemoryCanvas;
}  // namespace gdi

namespace app::model {
class Note;
class TextFilter;
}  // namespace app::model

namespace app::mainframe::noteslist {

// How one item is to look beyond its note.
struct ItemState {
    bool focus = false;  // the focus item of a list that has the keyboard focus
    bool selected = false;
    int textOffset = 0;  // body lines scrolled away at the top
};

// Lays out and paints the notes of one list: the layout of NoteLayout measured with GDI
// (the body text font, "..." in the header font, the menu font for dates and tags) and
// the items drawn in the list's colours, with the search highlights of a text filter.
// Every GDI object it draws with is made once and kept; the bitmaps of items and of the
// selection tint come from, and go back to, a pool shared by every list.
class NoteRenderer : public NoteLayout {
public:
    explicit NoteRenderer(model::INotebookView& view);
    ~NoteRenderer() override;

    void setBaseColor(app::ColorRef base);
    const Palette& getPalette() const { return palette_; }
    void setHeaderFont(std::shared_ptr<gdi::Font> font);
    void setTextFont(std::shared_ptr<gdi::Font> font);
    const std::shared_ptr<gdi::Font>& getHeaderFont() const { return headerFont_; }
    const std::shared_ptr<gdi::Font>& getTextFont() const { return textFont_; }

    // Item bitmaps are kept up to this many pixels; the list sets about three client areas.
    static constexpr std::size_t defaultBitmapBudget = 3 * 1920 * 1080;
    void setBitmapBudget(std::size_t pixels);
    void clear() override;
    void forget(int item) override;
    // Drops the painted look of one item (its text scrolled), keeping its layout.
    void forgetBitmap(int item);

    // Paints item `item` with its top-left corner at (x, y). A list too narrow for the
    // parts of an item leaves those parts out.
    void paintItem(gdi::Canvas& canvas, int item, int x, int y, const ItemState& state, bool listFocused);
    // The text for an empty list, in the client rectangle less 20 pixels a side.
    void paintEmpty(gdi::Canvas& canvas, const gdi::Rect& client, bool filtered);

    // The icon resource that says which way the text of an item can scroll: 136 more
    // below, 137 at the end, 138 both ways; 0 when it shows all its lines.
    int indicatorIcon(int item, int textOffset);

private:
    NoteRenderer(model::INotebookView& view, std::shared_ptr<gdi::Font> textFont);

    void paintLook(gdi::Canvas& canvas, int item, int x, int y, int textOffset);
    void paintHeader(gdi::Canvas& canvas, const model::Note& note, const gdi::Rect& band,
                     const model::TextFilter* filter);
    void paintTags(gdi::Canvas& canvas, const model::Note& note, const gdi::Rect& band,
                   const model::TextFilter* filter);
    void paintBody(gdi::Canvas& canvas, int item, const gdi::Rect& body, int textOffset,
                   const model::TextFilter* filter);
    void paintLineHilites(gdi::Canvas& canvas, const std::wstring& source, const std::wstring& searchable,
                          const std::wstring& hilite, const gdi::Rect& rect, unsigned format);
    void paintBox(gdi::Canvas& canvas, int left, int top, int right, int bottom);
    void paintSelection(gdi::Canvas& canvas, const gdi::Rect& rect, bool listFocused);
    void paintLinkIcon(gdi::Canvas& canvas, int x, int y);
    const model::TextFilter* textFilter();

    Palette palette_;
    std::shared_ptr<gdi::Font> headerFont_;
    std::shared_ptr<gdi::Font> textFont_;
    std::shared_ptr<gdi::Font> menuFont_;
    gdi::Icon linkIcon_;
    gdi::Icon indicators_[3];
    BoundedCache<int, std::shared_ptr<gdi::MemoryCanvas>> bitmaps_;
    // The link icon blended over the header band colour, and an area of the base colour
    // for the selection tint; rebuilt when the colour changes.
    std::unique_ptr<gdi::MemoryCanvas> blendedLink_;
    std::shared_ptr<gdi::MemoryCanvas> tint_;
    gdi::Size tintSize_;
};

}  // namespace app::mainframe::noteslist
