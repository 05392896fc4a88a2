#include "app/mainframe/HotkeyManager.hpp"

#include "app/Settings.hpp"
#include "err/Exceptions.hpp"
#include "ui/Window.hpp"
#include "ui/input/Hotkey.hpp"
#include "ui/input/KeyNames.hpp"

namespace app::mainframe {

namespace {

constexpr int maxKeyCode = 255;
constexpr int maxModifiers = ui::input::modAlt | ui::input::modCtrl | ui::input::modShift | ui::input::modWin;

}  // namespace

HotkeyManager::HotkeyManager(ui::Window& mainWindow) : HotkeyManager(mainWindow, Settings::instance()) {}

HotkeyManager::HotkeyManager(ui::Window& mainWindow, Settings& settings)
    : window_(mainWindow),
      settings_(settings),
      show_{Settings::showHotkeyKey,
            Settings::showHotkeyModifiersKey,
            Settings::defaultShowHotkey,
            Settings::defaultShowHotkeyModifiers,
            &showRequested,
            nullptr},
      newNote_{Settings::newNoteHotkeyKey,
               Settings::newNoteHotkeyModifiersKey,
               Settings::defaultNewNoteHotkey,
               Settings::defaultNewNoteHotkeyModifiers,
               &newNoteRequested,
               nullptr} {
    registerAtStart(show_);
    registerAtStart(newNote_);
}

HotkeyManager::~HotkeyManager() = default;

// A key the system refuses is remembered for the user; a stored value that is no key at
// all (unreadable or out of range) leaves the hot key absent. Either way the stored value
// stays, so the key is tried again at the next start.
void HotkeyManager::registerAtStart(Slot& slot) {
    int keyCode = 0;
    int modifiers = 0;
    try {
        keyCode = settings_.get<int>(slot.keyCodeKey, slot.defaultKeyCode);
        modifiers = settings_.get<int>(slot.modifiersKey, slot.defaultModifiers);
    } catch (const std::exception&) {
        return;
    }
    if (keyCode <= 0 || keyCode > maxKeyCode || modifiers < 0 || modifiers > maxModifiers) {
        return;
    }
    try {
        slot.hotkey = makeHotkey(slot, static_cast<unsigned>(keyCode), static_cast<unsigned>(modifiers));
    } catch (const err::SystemException&) {
        failedAtStart_.push_back(
            ui::input::hotkeyText(static_cast<unsigned>(keyCode), static_cast<unsigned>(modifiers)));
    }
}

std::unique_ptr<ui::input::Hotkey> HotkeyManager::makeHotkey(Slot& slot, unsigned keyCode, unsigned modifiers) {
    boost::signals2::signal<void()>* requested = slot.requested;
    // Holding the keys down must not toggle the window over and over.
    return std::make_unique<ui::input::Hotkey>(
        window_, modifiers, keyCode, [requested] { (*requested)(); }, true);
}

// The new key is registered while the old one still holds its combination, so a refused
// key costs the user nothing; only then is the old one released and the new one stored.
void HotkeyManager::set(Slot& slot, unsigned keyCode, unsigned modifiers) {
    if (keyCode == 0) {
        modifiers = 0;
    } else if (slot.hotkey && slot.hotkey->equals(keyCode, modifiers)) {
        return;
    }
    std::unique_ptr<ui::input::Hotkey> fresh;
    if (keyCode != 0) {
        fresh = makeHotkey(slot, keyCode, modifiers);
    }
    slot.hotkey = std::move(fresh);
    settings_.set<int>(slot.modifiersKey, static_cast<int>(modifiers));
    settings_.set<int>(slot.keyCodeKey, static_cast<int>(keyCode));
}

void HotkeyManager::setShowHotkey(unsigned keyCode, unsigned modifiers) {
    set(show_, keyCode, modifiers);
}

void HotkeyManager::setNewNoteHotkey(unsigned keyCode, unsigned modifiers) {
    set(newNote_, keyCode, modifiers);
}

std::pair<unsigned, unsigned> HotkeyManager::combination(const Slot& slot) {
    if (!slot.hotkey) {
        return {0, 0};
    }
    return {slot.hotkey->keyCode(), slot.hotkey->modifiers()};
}

std::pair<unsigned, unsigned> HotkeyManager::showHotkey() const {
    return combination(show_);
}

std::pair<unsigned, unsigned> HotkeyManager::newNoteHotkey() const {
    return combination(newNote_);
}

}  // namespace app::mainframe
