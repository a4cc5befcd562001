#pragma once

#include <array>
#include <cstdint>

namespace gui {

// A platform colour value: red in the low byte, then green, then blue.
using KV_ColorRef = uint32_t;

// A colour as three 16-bit channels, red, green, blue.
using KV_Colour16 = std::array<uint16_t, 3>;

constexpr KV_Colour16 ToColour16(KV_ColorRef colour) {
  return {static_cast<uint16_t>((colour & 0xFF) * 257),
          static_cast<uint16_t>(((colour >> 8) & 0xFF) * 257),
          static_cast<uint16_t>(((colour >> 16) & 0xFF) * 257)};
}

constexpr KV_ColorRef ToColorRef(const KV_Colour16& colour) {
  const auto byte = [](uint16_t channel) { return uint32_t{channel} * 255 / 65535; };
  return byte(colour[0]) | byte(colour[1]) << 8 | byte(colour[2]) << 16;
}

}  // namespace gui
