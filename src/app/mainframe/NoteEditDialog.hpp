#pragma once

#include "app/Color.hpp"
#include "app/mainframe/ThemedDialog.hpp"
#include "app/model/Note.hpp"
#include "gdi/Icon.hpp"
#include "ui/composite/LabeledEdit.hpp"
#include "ui/controls/Edit.hpp"
#include "ui/controls/Label.hpp"
#include "ui/controls/RichEdit.hpp"

#include <functional>
#include <memory>
#include <string>

namespace gdi {
class Font;
}

namespace app::mainframe {

// Edits the title, text, tags and link of a note, tinted in the colour theme. It works on a
// copy: the notebook may change while the dialog runs (a capture appends a note, a save
// takes a snapshot), so the caller finds its note again, by the id it had, and writes the
// edited copy back only when the dialog was accepted. The copy has an id of its own.
class NoteEditDialog : public ThemedDialog {
public:
    // The title line: Down leads on to the text, Up goes nowhere. Its height follows its font.
    class TitleEdit : public ui::controls::Edit {
    public:
        explicit TitleEdit(ui::Window* parent);
        bool onKeyDown(int key, int repeat, bool extended, bool wasDown) override;
        void setFont(std::shared_ptr<gdi::Font> font);

    private:
        std::shared_ptr<gdi::Font> font_;
    };

    // The tags line: Down and Up lead to the next and the previous field.
    class TagsEdit : public ui::controls::Edit {
    public:
        explicit TagsEdit(ui::Window* parent);
        bool onKeyDown(int key, int repeat, bool extended, bool wasDown) override;
    };

    // The link line, with an icon at its right end that opens the link, shown while the
    // text is something that can be opened.
    class LinkEdit : public ui::controls::Edit {
    public:
        using OpenLink = std::function<void()>;
        using CanOpenLink = std::function<bool()>;

        // Both callbacks are required (err::InvalidArgumentException).
        LinkEdit(ui::Window* parent, OpenLink openLink, CanOpenLink canOpenLink);
        ~LinkEdit() override;

        void afterCreate() override;
        bool onKeyDown(int key, int repeat, bool extended, bool wasDown) override;
        bool onCommand(int code, ULONG_PTR param) override;
        bool onNcPaint(HRGN region) override;
        bool onNcHitTest(int x, int y, LRESULT& result) override;
        bool onNcLButtonDown(int x, int y) override;

        // Where the icon is drawn, in window coordinates; empty while it is not shown.
        RECT getIconRect() const;

    private:
        OpenLink openLink_;
        CanOpenLink canOpenLink_;
        gdi::Icon icon_;
    };

    // The window title is the caller's ("Edit 'title'", or "New Note"); the text box and the
    // title take the font (none keeps the system's). It opens where it was last closed.
    NoteEditDialog(ui::Window* owner, const model::Note& note, const std::wstring& title, app::ColorRef baseColor,
                   std::shared_ptr<gdi::Font> textFont);
    ~NoteEditDialog() override;

    // The edited copy; the note as it was given unless the dialog was accepted.
    const model::Note& getNote() const { return note_; }

    bool isResizable() const override;
    void afterCreate() override;
    void buildMenus() override;
    bool onClose() override;
    bool onDestroy() override;
    bool preTranslateMessage(MSG* msg) override;

private:
    void build();
    void setTextFont();
    void place();
    void storePlacement() const;
    void accept() override;
    bool hasChanges() const;
    void writeFields(model::Note& note) const;
    void openNoteLink(const std::wstring& link);

    model::Note note_;
    std::shared_ptr<gdi::Font> textFont_;

    TitleEdit title_{this};
    ui::controls::RichEdit text_{this};
    std::unique_ptr<ui::composite::LabeledEdit> tags_;
    std::unique_ptr<ui::composite::LabeledEdit> link_;
    std::unique_ptr<ui::controls::Label> hint_;
};

}  // namespace app::mainframe
