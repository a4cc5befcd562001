#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "player/character.h"

namespace swftk {
class CSwfDefineBitsLossless;
}  // namespace swftk

namespace player {

// A bitmap for bitmap fills: premultiplied 32-bit ARGB pixels in native byte order,
// row after row without padding.
class CKV_BitmapCharacter : public CKV_Character {
 public:
  // Bitmaps beyond these are refused, so a forged size cannot claim the memory.
  static constexpr int kMaxSide = 8192;
  static constexpr int64_t kMaxPixels = int64_t{4096} * 4096;

  CKV_BitmapCharacter(uint16_t id, int width, int height, std::vector<uint32_t> pixels)
      : CKV_Character(id, CharacterKind::kBitmap),
        width(width),
        height(height),
        pixels(std::move(pixels)) {}

  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// A decoded bitmap, or null with the reason it cannot be used.
struct BitmapDecodeResult {
  std::unique_ptr<CKV_BitmapCharacter> bitmap;
  std::string problem;
};

// Checks a bitmap's size against the limits; the reason when it fails, empty otherwise.
std::string CheckBitmapSize(int width, int height);

// Decodes a DefineBitsLossless or DefineBitsLossless2. Pixel data that ends early reads as
// zeros from there on.
BitmapDecodeResult DecodeLosslessBitmap(const swftk::CSwfDefineBitsLossless& tag);

// Inflates exactly size bytes, or as many as the data holds; the rest stays zero.
std::vector<uint8_t> InflateBounded(const std::vector<uint8_t>& data, size_t size);

}  // namespace player
