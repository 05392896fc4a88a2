#include "ui/input/Accelerators.hpp"

#include "err/Exceptions.hpp"

#include <utility>

namespace ui::input {

namespace {

// TranslateAcceleratorW looks the command number up in the window's system menu and menu
// bar and drops the key when an entry with that number is disabled. Separators have number
// 0 and menu entries are numbered from 0 by their own counter, so accelerator commands
// start far above them, and end below the system commands (0xF000 and up).
constexpr WORD firstCommand = 0x8000;
constexpr std::size_t maxEntries = 0xF000 - firstCommand;

constexpr WORD fromAccelerator = 1;

}  // namespace

Accelerators::Accelerators() = default;

Accelerators::~Accelerators() {
    if (table_ != nullptr) {
        DestroyAcceleratorTable(table_);
    }
}

WORD Accelerators::commandOf(std::size_t index) {
    return static_cast<WORD>(firstCommand + index);
}

void Accelerators::add(BYTE modifiers, WORD key, Action action) {
    if (entries_.size() >= maxEntries) {
        err::throwInvalidState("ui::input::Accelerators::add", "entries.size() < maxEntries");
    }
    ACCEL entry{};
    entry.fVirt = static_cast<BYTE>(modifiers | FVIRTKEY | FNOINVERT);
    entry.key = key;
    entry.cmd = commandOf(entries_.size());
    entries_.push_back(entry);
    actions_.push_back(std::move(action));
}

void Accelerators::activate() {
    if (entries_.empty()) {
        return;
    }
    const HACCEL table = CreateAcceleratorTableW(entries_.data(), static_cast<int>(entries_.size()));
    if (table == nullptr) {
        throw err::SystemException(err::postconditionMessage("ui::input::Accelerators::activate", "hAccel"));
    }
    if (table_ != nullptr) {
        DestroyAcceleratorTable(table_);
    }
    table_ = table;
}

bool Accelerators::translate(HWND window, MSG* msg) const {
    return table_ != nullptr && TranslateAcceleratorW(window, table_, msg) != 0;
}

// Menu commands (high word 0) and control notifications (a window in lParam) pass on.
bool Accelerators::intercept(const MSG& msg, LRESULT& result) {
    if (msg.message != WM_COMMAND || HIWORD(msg.wParam) != fromAccelerator || msg.lParam != 0) {
        return false;
    }
    const WORD command = LOWORD(msg.wParam);
    if (command < firstCommand) {
        return false;
    }
    const std::size_t index = command - firstCommand;
    if (index >= actions_.size()) {
        return false;
    }
    const Action& action = actions_[index];
    if (action) {
        action();
    }
    result = 0;
    return true;
}

}  // namespace ui::input
