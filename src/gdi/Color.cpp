#include "gdi/Color.hpp"

namespace gdi {

namespace {

std::uint8_t mixChannel(std::uint8_t a, std::uint8_t b, double t, unsigned char bias) {
    const double value = a * t + b * (1 - t) + bias;
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

}  // namespace

app::ColorRef blend(app::ColorRef a, app::ColorRef b, double t, unsigned char bias) {
    return app::rgb(mixChannel(red(a), red(b), t, bias), mixChannel(green(a), green(b), t, bias),
                    mixChannel(blue(a), blue(b), t, bias));
}

}  // namespace gdi
