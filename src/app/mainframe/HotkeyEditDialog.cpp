#include "app/mainframe/HotkeyEditDialog.hpp"

#include "err/Exceptions.hpp"
#include "gdi/UpdateCanvas.hpp"
#include "res/StringsBundle.hpp"
#include "ui/MessageBox.hpp"
#include "ui/input/KeyNames.hpp"
#include "ui/layout/BorderLayouts.hpp"
#include "ui/layout/BoxLayouts.hpp"

#include <algorithm>
#include <utility>

namespace app::mainframe {

namespace {

using ui::layout::Alignment;
using ui::layout::Place;

constexpr int hintWidth = 320;
constexpr int hintMinHeight = 70;

constexpr const char* labelKeys[] = {"options.hotkeys.clip.label", "options.hotkeys.show.label",
                                     "options.hotkeys.newnote.label"};

// The height of a text wrapped at `width` in the dialogs' font.
int wrappedHeight(const std::wstring& text, int width) {
    gdi::UpdateCanvas screen(nullptr);
    RECT rect{0, 0, width, 0};
    DrawTextW(screen.getHandle(), text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return rect.bottom - rect.top;
}

}  // namespace

HotkeyEditDialog::HotkeyEditDialog(ui::Window* owner, app::ColorRef baseColor, Hotkey clip, Hotkey show, Hotkey newNote,
                                   std::function<void()> suspendClip, std::function<void()> resumeClip)
    : ThemedDialog(res::getText("options.hotkeys.title"), owner, baseColor),
      hotkeys_{std::move(clip), std::move(show), std::move(newNote)},
      suspendClip_(std::move(suspendClip)),
      resumeClip_(std::move(resumeClip)) {
    for (const Hotkey& hotkey : hotkeys_) {
        if (!hotkey.set) {
            err::throwInvalidArgument("app::mainframe::HotkeyEditDialog::HotkeyEditDialog", "hotkey.set");
        }
    }
}

HotkeyEditDialog::~HotkeyEditDialog() {
    if (isAttached()) {
        destroy();
    }
}

void HotkeyEditDialog::createWindow() {
    if (suspendClip_) {
        suspendClip_();
    }
    clipSuspended_ = true;
    try {
        ThemedDialog::createWindow();
    } catch (...) {
        resumeClip();
        throw;
    }
}

bool HotkeyEditDialog::onCreate(CREATESTRUCT* createStruct) {
    // The starting size; the layout grows the window to its minimum where that is larger.
    SetWindowPos(getHandle(), nullptr, 0, 0, 250, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    build();
    return ThemedDialog::onCreate(createStruct);
}

// Every way out ends here, the application quitting under the dialog included.
bool HotkeyEditDialog::onDestroy() {
    resumeClip();
    return ThemedDialog::onDestroy();
}

// Esc in a box clears it (the box sees the key through its hook) instead of cancelling.
bool HotkeyEditDialog::preTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE && editHasFocus()) {
        return true;
    }
    return ThemedDialog::preTranslateMessage(msg);
}

void HotkeyEditDialog::build() {
    for (int slot = 0; slot < slotCount; ++slot) {
        labels_[slot] = std::make_unique<ui::controls::Label>(this, res::getText(labelKeys[slot]));
        labels_[slot]->create();
        labels_[slot]->setBackgroundColor(getColors().light1);
        labels_[slot]->setMargins(12, slot == 0 ? 12 : 8, 12, 0);
        edits_[slot] = std::make_unique<ui::controls::HotkeyEdit>(this);
        edits_[slot]->create();
        edits_[slot]->setMargins(12, 2, 12, 0);
        edits_[slot]->set(hotkeys_[slot].keyCode, hotkeys_[slot].modifiers);
    }
    const std::wstring hint = res::getText("options.hotkeys.hint");
    hint_ = std::make_unique<ui::controls::Label>(this, hint);
    hint_->create();
    hint_->setTextColor(RGB(0x64, 0x64, 0x64));
    hint_->setBackgroundColor(getColors().light1);
    hint_->setWidth(hintWidth);
    hint_->setMinWidth(hintWidth);
    hint_->setHeight(std::max(hintMinHeight, wrappedHeight(hint, hintWidth)));
    hint_->setMinHeight(hint_->getHeight());
    hint_->setMargins(12, 12, 12, 12);

    createFrame();

    ui::layout::Pane& root = getRootPane();
    root.setLayout(ui::layout::VBorderLayout());
    ui::layout::Pane& fields =
        root.addPane(Place::center, ui::layout::VBoxLayout(Alignment::top, Alignment::fill), 0, 0);
    fields.setContent(&getBackground(), false);
    for (int slot = 0; slot < slotCount; ++slot) {
        fields.put(labels_[slot].get());
        fields.put(edits_[slot].get());
    }
    fields.put(hint_.get());
    addButtonStrip();

    setDefaultControl(edits_[clipSlot].get());
}

// In the order clip, show, new note, stopping at the first combination the system refuses;
// those set before it keep their new values. An unchanged combination is left alone.
void HotkeyEditDialog::accept() {
    if (refuseDuplicates()) {
        return;
    }
    for (int slot = 0; slot < slotCount; ++slot) {
        const ui::controls::HotkeyEdit& edit = *edits_[slot];
        Hotkey& old = hotkeys_[slot];
        if (edit.getKey() == old.keyCode && (edit.getKey() == 0 || edit.getModifiers() == old.modifiers)) {
            continue;
        }
        try {
            old.set(edit.getKey(), edit.getModifiers());
        } catch (const err::SystemException&) {
            ui::showWarning(getHandle(),
                            res::getText("options.hotkeys.cannotregister") + L"\n\n"
                                + ui::input::hotkeyText(edit.getKey(), edit.getModifiers()),
                            res::getText("options.hotkeys.cannotregister.title"));
            edits_[slot]->focus();
            return;
        }
        // A second OK after a refusal does not set this one again.
        old.keyCode = edit.getKey();
        old.modifiers = edit.getModifiers();
        if (slot == clipSlot) {
            clipSet_ = true;
        }
    }
    setResult(ui::DialogResult::accepted);
    close();
}

// One combination cannot serve two hot keys: the second registration would fail, or,
// between this program's own keys, silently take the first one's place.
bool HotkeyEditDialog::refuseDuplicates() {
    for (int later = 1; later < slotCount; ++later) {
        for (int earlier = 0; earlier < later; ++earlier) {
            const unsigned key = edits_[later]->getKey();
            const unsigned modifiers = edits_[later]->getModifiers();
            if (key != 0 && key == edits_[earlier]->getKey() && modifiers == edits_[earlier]->getModifiers()) {
                ui::showWarning(getHandle(),
                                res::formatText("options.hotkeys.duplicate", ui::input::hotkeyText(key, modifiers)),
                                res::getText("options.hotkeys.cannotregister.title"));
                edits_[later]->focus();
                return true;
            }
        }
    }
    return false;
}

// Closing must finish whatever happens here: a clip hot key that cannot come back stays
// away for this run only, since its stored value never changed.
void HotkeyEditDialog::resumeClip() noexcept {
    if (!clipSuspended_ || clipSet_) {
        return;
    }
    clipSuspended_ = false;
    if (!resumeClip_) {
        return;
    }
    try {
        resumeClip_();
    } catch (...) {}
}

bool HotkeyEditDialog::editHasFocus() const {
    for (const auto& edit : edits_) {
        if (edit && edit->hasFocus()) {
            return true;
        }
    }
    return false;
}

}  // namespace app::mainframe
