#include "app/Placement.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

namespace app {
std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
}  // namespace app

using app::fitIntoArea;
using app::Rect;

TEST(PlacementTest, KeepsAWindowInsideTheWorkArea) {
    const Rect area{0, 0, 1280, 770};
    struct Case {
        const char* what;
        Rect stored;
        Rect expected;
    };
    const Case cases[] = {
        {"inside stays put", {100, 50, 580, 688}, {100, 50, 580, 688}},
        {"off to the right comes back whole", {5000, 50, 5480, 688}, {800, 50, 1280, 688}},
        {"above and left", {-900, -700, -420, -62}, {0, 0, 480, 638}},
        {"below the bottom", {100, 700, 580, 1338}, {100, 132, 580, 770}},
        {"larger than the area shrinks to it", {-50, -50, 3000, 2000}, {0, 0, 1280, 770}},
        {"taller only keeps its width", {10, 10, 490, 2000}, {10, 0, 490, 770}},
        {"inverted gives an empty rectangle", {500, 500, 100, 100}, {500, 500, 500, 500}},
        {"extreme values do not overflow", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 1280, 770}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, fitIntoArea(c.stored, area)) << c.what;
    }
}

TEST(PlacementTest, AnAreaAwayFromTheOriginIsRespected) {
    const Rect secondMonitor{1920, 40, 3840, 1080};
    EXPECT_EQ((Rect{1920, 40, 2400, 678}), fitIntoArea(Rect{0, 0, 480, 638}, secondMonitor));
    EXPECT_EQ((Rect{3360, 442, 3840, 1080}), fitIntoArea(Rect{9000, 9000, 9480, 9638}, secondMonitor));
}
