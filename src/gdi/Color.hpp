#pragma once

#include "app/Color.hpp"

#include <cstdint>

namespace gdi {

constexpr std::uint8_t red(app::ColorRef colour) {
    return static_cast<std::uint8_t>(colour & 0xFF);
}
constexpr std::uint8_t green(app::ColorRef colour) {
    return static_cast<std::uint8_t>((colour >> 8) & 0xFF);
}
constexpr std::uint8_t blue(app::ColorRef colour) {
    return static_cast<std::uint8_t>((colour >> 16) & 0xFF);
}

constexpr app::ColorRef white = app::rgb(255, 255, 255);

// Mixes two colours channel by channel: trunc(a * t + b * (1 - t) + bias), so t = 1 gives a
// and t = 0 gives b. Each channel is kept within 0..255.
app::ColorRef blend(app::ColorRef a, app::ColorRef b, double t, unsigned char bias = 0);

// Moves each channel x towards the mean of the three by percent: x + (mean - x) * percent / 100,
// truncated; the mean is an integer division. 0 keeps the colour, 100 gives its grey.
app::ColorRef desaturate(app::ColorRef colour, int percent);

// Each channel x becomes 255 - x.
app::ColorRef invert(app::ColorRef colour);

}  // namespace gdi
