#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "player/character.h"

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

// Decodes the body of a DefineBitsLossless (withAlpha false) or DefineBitsLossless2 tag.
// Null with the reason in problem when the bitmap cannot be used; pixel data that ends early
// reads as zeros from there on.
std::unique_ptr<CKV_BitmapCharacter> DecodeLosslessBitmap(const std::vector<uint8_t>& body,
                                                          bool withAlpha, std::string& problem);

}  // namespace player
