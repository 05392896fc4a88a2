#include "Wait.hpp"

#include <windows.h>

namespace e2e {

bool waitUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) {
            return done();
        }
        Sleep(25);
    }
    return true;
}

}  // namespace e2e
