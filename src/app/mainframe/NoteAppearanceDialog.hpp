#pragma once

#include "app/Color.hpp"
#include "app/mainframe/ThemedDialog.hpp"
#include "ui/composite/LabeledEdit.hpp"
#include "ui/controls/Button.hpp"

#include <windows.h>

#include <commdlg.h>

#include <memory>

namespace gdi {
class Font;
}

namespace app::mainframe {

// Chooses the notes list's header and text fonts and how many body lines a note shows,
// tinted in the colour theme. Fonts are picked with the system's font chooser and shown as
// one-line descriptions. Nothing the dialog chose is given out unless it was accepted.
class NoteAppearanceDialog : public ThemedDialog {
public:
    // Fonts must not be null (err::InvalidArgumentException).
    NoteAppearanceDialog(ui::Window* owner, app::ColorRef baseColor, std::shared_ptr<gdi::Font> headerFont,
                         std::shared_ptr<gdi::Font> textFont, int maxLines);
    ~NoteAppearanceDialog() override;

    // The values once the dialog was accepted; those it was given otherwise.
    const std::shared_ptr<gdi::Font>& getHeaderFont() const { return headerFont_; }
    const std::shared_ptr<gdi::Font>& getTextFont() const { return textFont_; }
    int getMaxLines() const { return maxLines_; }

    // The request to the system's font chooser: it starts from `font` and writes the
    // choice back into it.
    static CHOOSEFONTW fontChooserRequest(HWND owner, LOGFONTW& font);

    void afterCreate() override;

private:
    enum class FontKind { header, text };

    void build();
    void changeFont(FontKind kind);
    void showFont(FontKind kind);
    void accept() override;

    std::shared_ptr<gdi::Font> headerFont_;
    std::shared_ptr<gdi::Font> textFont_;
    int maxLines_;
    // The fonts chosen while the dialog is open.
    std::shared_ptr<gdi::Font> chosenHeaderFont_;
    std::shared_ptr<gdi::Font> chosenTextFont_;

    std::unique_ptr<ui::composite::LabeledEdit> headerBox_;
    std::unique_ptr<ui::composite::LabeledEdit> textBox_;
    std::unique_ptr<ui::composite::LabeledEdit> linesBox_;
    std::unique_ptr<ui::controls::Button> changeHeader_;
    std::unique_ptr<ui::controls::Button> changeText_;
};

}  // namespace app::mainframe
