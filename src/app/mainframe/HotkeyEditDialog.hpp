#pragma once

#include "app/Color.hpp"
#include "app/mainframe/ThemedDialog.hpp"
#include "ui/controls/HotkeyEdit.hpp"
#include "ui/controls/Label.hpp"

#include <array>
#include <functional>
#include <memory>

namespace app::mainframe {

// Sets the three global hot keys: clip text, show the main window and add a new note, one
// hot key edit each. OK registers the changed combinations through their owners, which also
// store them; a combination the system refuses keeps the dialog open on its box.
class HotkeyEditDialog : public ThemedDialog {
public:
    // Registers a combination and stores it; throws err::SystemException when the system
    // refuses it. Key code 0 means no hot key.
    using Setter = std::function<void(unsigned keyCode, unsigned modifiers)>;

    // One hot key as the dialog receives it: what it is now and how to change it.
    struct Hotkey {
        unsigned keyCode = 0;
        unsigned modifiers = 0;
        Setter set;
    };

    // While the dialog runs the clip hot key is not registered, so that pressing it in its
    // box does not start a capture. `suspendClip` releases it as the dialog opens;
    // `resumeClip` registers the old one again, storing nothing, when the dialog goes
    // without having set a new one. Either may be empty. The setters are required
    // (err::InvalidArgumentException).
    HotkeyEditDialog(ui::Window* owner, app::ColorRef baseColor, Hotkey clip, Hotkey show, Hotkey newNote,
                     std::function<void()> suspendClip = {}, std::function<void()> resumeClip = {});
    ~HotkeyEditDialog() override;

    bool onCreate(CREATESTRUCT* createStruct) override;
    bool onDestroy() override;
    bool preTranslateMessage(MSG* msg) override;

private:
    enum Slot { clipSlot, showSlot, newNoteSlot, slotCount };

    void createWindow() override;
    void build();
    void accept() override;
    bool refuseDuplicates();
    void resumeClip() noexcept;
    bool editHasFocus() const;

    std::array<Hotkey, slotCount> hotkeys_;
    std::function<void()> suspendClip_;
    std::function<void()> resumeClip_;
    bool clipSuspended_ = false;
    bool clipSet_ = false;

    std::array<std::unique_ptr<ui::controls::Label>, slotCount> labels_;
    std::array<std::unique_ptr<ui::controls::HotkeyEdit>, slotCount> edits_;
    std::unique_ptr<ui::controls::Label> hint_;
};

}  // namespace app::mainframe
