#pragma once

#include "ui/MessageInterceptor.hpp"

#include <windows.h>

#include <functional>
#include <vector>

namespace ui::input {

// The keyboard accelerators of a frame window and what each one does. Installed on the
// frame, it runs the action of every WM_COMMAND that an accelerator produced.
class Accelerators : public MessageInterceptor {
public:
    using Action = std::function<void()>;

    Accelerators();
    Accelerators(const Accelerators&) = delete;
    Accelerators& operator=(const Accelerators&) = delete;
    ~Accelerators() override;

    // `modifiers` combines FALT, FCONTROL and FSHIFT; `key` is a virtual-key code.
    void add(BYTE modifiers, WORD key, Action action);
    // Builds the table from the entries added so far; nothing while there are none.
    void activate();
    // Turns a key message that matches an entry into its WM_COMMAND, sent to `window`;
    // answers whether it did.
    bool translate(HWND window, MSG* msg) const;

    bool intercept(const MSG& msg, LRESULT& result) override;

    HACCEL getHandle() const { return table_; }
    // The command number the entry added in the given place sends.
    static WORD commandOf(std::size_t index);

private:
    HACCEL table_ = nullptr;
    std::vector<ACCEL> entries_;
    std::vector<Action> actions_;
};

}  // namespace ui::input
