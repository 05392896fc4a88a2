#pragma once

#include "ui/controls/FramedControl.hpp"

#include <richedit.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui::menu {
class Command;
}

namespace ui::controls {

// A multi-line rich edit with a flat frame, clickable web addresses, plain-text paste, a
// context menu of edit commands, and Tab and the arrow keys leading out of the text.
class RichEdit : public FramedControl {
public:
    // Opens a link the user double-clicked; the window is the rich edit.
    using LinkOpener = std::function<void(HWND window, const std::wstring& link)>;

    // Loads the rich edit library when that has not happened yet.
    explicit RichEdit(Window* parent, unsigned extraStyle = 0, unsigned exStyle = 0);
    ~RichEdit() override;

    std::wstring getClassName() const override;
    std::wstring getSuperclassName() const override;
    unsigned getStyle() const override;
    unsigned getExStyle() const override;
    bool onCreate(CREATESTRUCT* createStruct) override;
    void afterCreate() override;

    bool onGetDlgCode(MSG* msg, LRESULT& result) override;
    bool onChar(int character) override;
    bool onKeyDown(int key, int repeat, bool extended, bool wasDown) override;
    bool onCommand(int code, ULONG_PTR param) override;

    std::wstring getText() const;
    void setText(const std::wstring& text);
    // Characters, a line break counting as one.
    int getTextLength() const;

    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;
    void cut();
    void copy();
    // Replaces the selection with the clipboard's text, without its formatting; undoable.
    void pastePlainText();
    void deleteSelection();
    void selectAll();
    bool hasSelection() const;

    // Replaces how double-clicked links are opened (the shell's "open" by default).
    void setLinkOpener(LinkOpener opener);

private:
    void buildContextMenu();
    CHARRANGE getSelection() const;
    void setSelection(LONG start, LONG end);
    int lineOf(LONG position) const;
    std::wstring getTextRange(CHARRANGE range) const;
    bool isReadOnly() const;
    bool onLinkNotification(const ENLINK& link);

    std::vector<std::unique_ptr<menu::Command>> commands_;
    unsigned extraStyle_;
    unsigned exStyle_;
    LinkOpener linkOpener_;
};

// Opens a link with the shell's "open" verb, shown normally.
void openLinkWithShell(HWND window, const std::wstring& link);

}  // namespace ui::controls
