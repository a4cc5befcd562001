#include "player/bitmap_character.h"

#include <zlib.h>

#include <algorithm>

namespace player {
namespace {

constexpr uint8_t kColorMapped = 3;
constexpr uint8_t kRgb15 = 4;
constexpr uint8_t kRgb32 = 5;
constexpr size_t kHeaderSize = 7;

uint16_t ReadUI16(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// Inflates exactly size bytes, or as many as the stream holds; the rest stays zero.
std::vector<uint8_t> InflateBounded(const uint8_t* data, size_t length, size_t size) {
  std::vector<uint8_t> out(size, 0);
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return out;
  zs.next_in = const_cast<uint8_t*>(data);
  zs.avail_in = static_cast<uInt>(std::min<size_t>(length, UINT32_MAX));
  zs.next_out = out.data();
  zs.avail_out = static_cast<uInt>(size);
  while (zs.avail_out > 0 && inflate(&zs, Z_SYNC_FLUSH) == Z_OK) {
  }
  inflateEnd(&zs);
  return out;
}

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

std::unique_ptr<CKV_BitmapCharacter> DecodeLosslessBitmap(const std::vector<uint8_t>& body,
                                                          bool withAlpha, std::string& problem) {
  if (body.size() < kHeaderSize) {
    problem = "the bitmap header is cut short";
    return nullptr;
  }
  const uint16_t id = ReadUI16(body, 0);
  const uint8_t format = body[2];
  const int width = ReadUI16(body, 3);
  const int height = ReadUI16(body, 5);
  if (width == 0 || height == 0 || width > CKV_BitmapCharacter::kMaxSide ||
      height > CKV_BitmapCharacter::kMaxSide ||
      int64_t{width} * height > CKV_BitmapCharacter::kMaxPixels) {
    problem = "bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
              " pixels is empty or too large";
    return nullptr;
  }
  const auto w = static_cast<size_t>(width);
  const auto h = static_cast<size_t>(height);
  std::vector<uint32_t> pixels(w * h, 0);
  size_t dataStart = kHeaderSize;

  if (format == kColorMapped) {
    if (body.size() < kHeaderSize + 1) {
      problem = "the bitmap header is cut short";
      return nullptr;
    }
    const size_t colors = size_t{body[kHeaderSize]} + 1;
    dataStart = kHeaderSize + 1;
    const size_t entrySize = withAlpha ? 4 : 3;
    const size_t rowBytes = RowPadded(w);
    const std::vector<uint8_t> data = InflateBounded(
        body.data() + dataStart, body.size() - dataStart, colors * entrySize + rowBytes * h);
    std::vector<uint32_t> palette(256, withAlpha ? 0 : Premultiplied(255, 0, 0, 0));
    for (size_t i = 0; i < colors; ++i) {
      const uint8_t* entry = &data[i * entrySize];
      palette[i] = Premultiplied(withAlpha ? entry[3] : 255, entry[0], entry[1], entry[2]);
    }
    const uint8_t* indices = data.data() + colors * entrySize;
    for (size_t y = 0; y < h; ++y)
      for (size_t x = 0; x < w; ++x) pixels[y * w + x] = palette[indices[y * rowBytes + x]];
  } else if (format == kRgb15 && !withAlpha) {
    const size_t rowBytes = RowPadded(w * 2);
    const std::vector<uint8_t> data =
        InflateBounded(body.data() + dataStart, body.size() - dataStart, rowBytes * h);
    for (size_t y = 0; y < h; ++y) {
      for (size_t x = 0; x < w; ++x) {
        const uint8_t* p = &data[y * rowBytes + x * 2];
        const uint32_t bits = uint32_t{p[0]} << 8 | p[1];
        pixels[y * w + x] =
            Premultiplied(255, Widen5(bits >> 10 & 31), Widen5(bits >> 5 & 31), Widen5(bits & 31));
      }
    }
  } else if (format == kRgb32) {
    const std::vector<uint8_t> data =
        InflateBounded(body.data() + dataStart, body.size() - dataStart, w * h * 4);
    for (size_t i = 0; i < w * h; ++i) {
      const uint8_t* p = &data[i * 4];
      pixels[i] = Premultiplied(withAlpha ? p[0] : 255, p[1], p[2], p[3]);
    }
  } else {
    problem = "bitmap format " + std::to_string(format) + " is not a lossless format";
    return nullptr;
  }
  return std::make_unique<CKV_BitmapCharacter>(id, width, height, std::move(pixels));
}

}  // namespace player
