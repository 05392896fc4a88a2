#pragma once

#include <cstdint>

namespace app {

// A Windows colour value, 0x00BBGGRR.
using ColorRef = std::uint32_t;

constexpr ColorRef rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << 8) | (static_cast<ColorRef>(blue) << 16);
}

}  // namespace app
