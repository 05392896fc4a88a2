#pragma once

#include "app/mainframe/noteslist/NoteRenderer.hpp"
#include "app/mainframe/noteslist/ScrollController.hpp"
#include "app/mainframe/noteslist/statemanager/ItemStateManager.hpp"
#include "ui/Control.hpp"
#include "ui/layout/Paddable.hpp"
#include "ui/scroll/ScrollInput.hpp"

#include <boost/signals2/signal.hpp>

#include <vector>

namespace gdi {
class Canvas;
}

namespace app::model {
class INotebookView;
}

namespace app::mainframe {

// The notes of a view as a scrolling list of painted items, with a focus item and a
// selection, driven by keys, mouse and wheel. What the user asks of the notes themselves
// (edit, delete, copy, paste, open the link, a context menu) goes out as events.
class NotesList : public ui::Control, public ui::layout::Paddable {
public:
    NotesList(ui::Window* parent, model::INotebookView& view);
    ~NotesList() override;

    std::wstring getClassName() const override;
    unsigned getStyle() const override;
    bool handleMessage(const MSG& msg, LRESULT& result) override;
    void afterCreate() override;
    bool onPaint() override;
    bool onEraseBackground(HDC dc) override;
    bool onSize(int width, int height) override;
    bool onGetDlgCode(MSG* msg, LRESULT& result) override;
    bool onKeyDown(int key, int repeat, bool extended, bool wasDown) override;
    bool onChar(int character) override;
    bool onSetFocus() override;
    bool onKillFocus() override;
    bool onLButtonDown(int x, int y, unsigned keys) override;
    bool onLButtonUp(int x, int y, unsigned keys) override;
    bool onLButtonDblClk(int x, int y, unsigned keys) override;
    bool onContextMenu(HWND window, int x, int y) override;

    // Paints the part `update` of the client area (client coordinates) onto the canvas.
    void paint(gdi::Canvas& canvas, const gdi::Rect& update);

    const noteslist::statemanager::selection<int>& getSelection() const { return state_.getSelection(); }
    int getFocus() const { return state_.getFocus(); }
    void selectAll();
    void setFocusIndex(int i, noteslist::statemanager::SelectionMode mode);
    void setSelection(const std::set<int>& items);
    void setBaseColor(app::ColorRef base);
    void setHeaderFont(std::shared_ptr<gdi::Font> font);
    void setTextFont(std::shared_ptr<gdi::Font> font);
    void setMaxDisplayedLines(int lines);
    void invalidateItem(int item);

    noteslist::NoteRenderer& renderer() { return renderer_; }
    noteslist::ScrollController& scroller() { return scroller_; }
    int getTextOffset(int item) const { return state_.getTextOffset(item); }

    boost::signals2::signal<void()> editRequested;
    boost::signals2::signal<void()> deleteRequested;
    boost::signals2::signal<void()> pasteRequested;
    boost::signals2::signal<void()> copyRequested;
    boost::signals2::signal<void()> linkRequested;
    boost::signals2::signal<void(int character)> charTyped;
    // Screen coordinates where the context menu is to open.
    boost::signals2::signal<void(int x, int y)> contextMenuRequested;

private:
    void setModeFromKeys();
    void moveFocus(int i);
    void viewChanged();
    void noteAdded();
    void afterLayoutChange();
    void repaint();

    model::INotebookView& view_;
    noteslist::NoteRenderer renderer_;
    noteslist::ScrollController scroller_;
    ui::scroll::ScrollInput scrollInput_;
    noteslist::statemanager::ItemStateManager state_;
    std::vector<int> heights_;  // of the items a paint shows, kept for the next paint
    boost::signals2::scoped_connection changed_;
    boost::signals2::scoped_connection added_;
    boost::signals2::scoped_connection reset_;
};

}  // namespace app::mainframe
