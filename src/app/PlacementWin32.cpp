#include "app/PlacementWin32.hpp"

#include <windows.h>

namespace app {

// A rectangle on no monitor at all (a monitor that was unplugged, a damaged setting) still
// has a nearest one.
Rect nearestWorkArea(const Rect& rect) {
    const RECT asked{rect.left, rect.top, rect.right, rect.bottom};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&asked, MONITOR_DEFAULTTONEAREST), &monitor)) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        return Rect{work.left, work.top, work.right, work.bottom};
    }
    const RECT& work = monitor.rcWork;
    return Rect{work.left, work.top, work.right, work.bottom};
}

}  // namespace app
