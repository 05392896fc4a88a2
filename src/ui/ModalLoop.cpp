#include "ui/ModalLoop.hpp"

namespace ui {

ModalLoop::Ending ModalLoop::run() {
    done_ = false;
    MSG msg;
    while (!done_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quitCode_ = static_cast<int>(msg.wParam);
            return Ending::quit;
        }
        if (got == -1) {
            return Ending::failed;
        }
        if (filter_ && filter_(&msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return Ending::done;
}

}  // namespace ui
