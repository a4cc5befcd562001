#include "player/bitmap_character.h"

#include <zlib.h>

#include <algorithm>

#include "swftk/bitmap_tags.h"

namespace player {
namespace {

using swftk::CSwfDefineBitsLossless;

// Premultiplied channels may not exceed alpha in the drawing surface.
uint32_t Premultiplied(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  r = std::min(r, a);
  g = std::min(g, a);
  b = std::min(b, a);
  return uint32_t{a} << 24 | uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

uint8_t Widen5(uint32_t bits) {
  return static_cast<uint8_t>((bits * 255 + 15) / 31);
}

size_t RowPadded(size_t bytes) {
  return (bytes + 3) & ~size_t{3};
}

}  // namespace

std::vector<uint8_t> InflateBounded(const std::vector<uint8_t>& data, size_t size) {
  std::vector<uint8_t> out(size, 0);
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return out;
  zs.next_in = const_cast<uint8_t*>(data.data());
  zs.avail_in = static_cast<uInt>(std::min<size_t>(data.size(), UINT32_MAX));
  zs.next_out = out.data();
  zs.avail_out = static_cast<uInt>(size);
  while (zs.avail_out > 0 && inflate(&zs, Z_SYNC_FLUSH) == Z_OK) {
  }
  inflateEnd(&zs);
  return out;
}

std::string CheckBitmapSize(int width, int height) {
  if (width <= 0 || height <= 0 || width > CKV_BitmapCharacter::kMaxSide ||
      height > CKV_BitmapCharacter::kMaxSide ||
      int64_t{width} * height > CKV_BitmapCharacter::kMaxPixels)
    return "bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels is empty or too large";
  return {};
}

BitmapDecodeResult DecodeLosslessBitmap(const CSwfDefineBitsLossless& tag) {
  const bool withAlpha = tag.HasAlpha();
  const int width = tag.width;
  const int height = tag.height;
  if (std::string problem = CheckBitmapSize(width, height); !problem.empty())
    return {nullptr, std::move(problem)};
  const auto w = static_cast<size_t>(width);
  const auto h = static_cast<size_t>(height);
  std::vector<uint32_t> pixels(w * h, 0);

  if (tag.format == CSwfDefineBitsLossless::kColorMapped) {
    const size_t colors = size_t{tag.colorTableSize} + 1;
    const size_t entrySize = withAlpha ? 4 : 3;
    const size_t rowBytes = RowPadded(w);
    const std::vector<uint8_t> data =
        InflateBounded(tag.zlibData, colors * entrySize + rowBytes * h);
    std::vector<uint32_t> palette(256, withAlpha ? 0 : Premultiplied(255, 0, 0, 0));
    for (size_t i = 0; i < colors; ++i) {
      const uint8_t* entry = &data[i * entrySize];
      palette[i] = Premultiplied(withAlpha ? entry[3] : 255, entry[0], entry[1], entry[2]);
    }
    const uint8_t* indices = data.data() + colors * entrySize;
    for (size_t y = 0; y < h; ++y)
      for (size_t x = 0; x < w; ++x) pixels[y * w + x] = palette[indices[y * rowBytes + x]];
  } else if (tag.format == CSwfDefineBitsLossless::kRgb15 && !withAlpha) {
    const size_t rowBytes = RowPadded(w * 2);
    const std::vector<uint8_t> data = InflateBounded(tag.zlibData, rowBytes * h);
    for (size_t y = 0; y < h; ++y) {
      for (size_t x = 0; x < w; ++x) {
        const uint8_t* p = &data[y * rowBytes + x * 2];
        const uint32_t bits = uint32_t{p[0]} << 8 | p[1];
        pixels[y * w + x] =
            Premultiplied(255, Widen5(bits >> 10 & 31), Widen5(bits >> 5 & 31), Widen5(bits & 31));
      }
    }
  } else if (tag.format == CSwfDefineBitsLossless::kRgb32) {
    const std::vector<uint8_t> data = InflateBounded(tag.zlibData, w * h * 4);
    for (size_t i = 0; i < w * h; ++i) {
      const uint8_t* p = &data[i * 4];
      pixels[i] = Premultiplied(withAlpha ? p[0] : 255, p[1], p[2], p[3]);
    }
  } else {
    return {nullptr, "bitmap format " + std::to_string(tag.format) + " is not a lossless format"};
  }
  return {std::make_unique<CKV_BitmapCharacter>(tag.characterId, width, height, std::move(pixels)),
          {}};
}

}  // namespace player
