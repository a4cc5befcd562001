#pragma once

#include <cstdint>

namespace engine {

// The red, green and blue bytes of a 0x00BBGGRR colour (red in the low byte).
inline uint8_t RedOf(uint32_t colour) {
  return static_cast<uint8_t>(colour);
}
inline uint8_t GreenOf(uint32_t colour) {
  return static_cast<uint8_t>(colour >> 8);
}
inline uint8_t BlueOf(uint32_t colour) {
  return static_cast<uint8_t>(colour >> 16);
}

}  // namespace engine
