#include "app/Placement.hpp"

#include <algorithm>

namespace app {

namespace {

// One axis: the span [low, high) placed inside [areaLow, areaHigh).
void fitSpan(int& low, int& high, int areaLow, int areaHigh) {
    const long long areaSize = std::max(0LL, static_cast<long long>(areaHigh) - areaLow);
    const long long size = std::clamp(static_cast<long long>(high) - low, 0LL, areaSize);
    const long long start = std::clamp(static_cast<long long>(low), static_cast<long long>(areaLow),
                                       static_cast<long long>(areaLow) + areaSize - size);
    low = static_cast<int>(start);
    high = static_cast<int>(start + size);
}

}  // namespace

Rect fitIntoArea(const Rect& rect, const Rect& area) {
    Rect fitted = rect;
    fitSpan(fitted.left, fitted.right, area.left, area.right);
    fitSpan(fitted.top, fitted.bottom, area.top, area.bottom);
    return fitted;
}

}  // namespace app
