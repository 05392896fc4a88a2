#include "gdi/Color.hpp"

namespace gdi {

namespace {

// Weights are short decimals (0.04, 0.96) that binary fractions cannot hold: 255 * 0.04 +
// 255 * 0.96 comes out as 254.99999999999997. Truncating that would lose a whole step, so
// a value within this distance below an integer counts as that integer. Real fractions
// of channel arithmetic with such weights are far larger than this.
constexpr double representationError = 1e-6;

std::uint8_t mixChannel(std::uint8_t a, std::uint8_t b, double t, unsigned char bias) {
    const double value = a * t + b * (1 - t) + bias + representationError;
    // A bias, or a weight outside 0..1, can leave the channel's range; unclamped, the
    // excess would spill into the neighbouring channel of the packed value.
    if (!(value >= 0)) {
        return 0;
    }
    if (value >= 255) {
        return 255;
    }
    return static_cast<std::uint8_t>(value);
}

std::uint8_t desaturateChannel(int x, int mean, int percent) {
    // In hundredths, so that the result is exact; truncation toward zero equals the floor
    // while the value is not negative, and it is clamped to the channel range first.
    const long long hundredths = 100LL * x + static_cast<long long>(mean - x) * percent;
    if (hundredths <= 0) {
        return 0;
    }
    if (hundredths >= 25500) {
        return 255;
    }
    return static_cast<std::uint8_t>(hundredths / 100);
}

}  // namespace

app::ColorRef blend(app::ColorRef a, app::ColorRef b, double t, unsigned char bias) {
    return app::rgb(mixChannel(red(a), red(b), t, bias), mixChannel(green(a), green(b), t, bias),
                    mixChannel(blue(a), blue(b), t, bias));
}

app::ColorRef desaturate(app::ColorRef colour, int percent) {
    const int r = red(colour);
    const int g = green(colour);
    const int b = blue(colour);
    const int mean = (r + g + b) / 3;
    return app::rgb(desaturateChannel(r, mean, percent), desaturateChannel(g, mean, percent),
                    desaturateChannel(b, mean, percent));
}

app::ColorRef invert(app::ColorRef colour) {
    return app::rgb(static_cast<std::uint8_t>(255 - red(colour)), static_cast<std::uint8_t>(255 - green(colour)),
                    static_cast<std::uint8_t>(255 - blue(colour)));
}

}  // namespace gdi
