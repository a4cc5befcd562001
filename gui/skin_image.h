#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gui {

struct CKV_Surface;

// A decoded skin file (".wui", a PNG): 24-bit blue-green-red rows, top row first, in a
// device-independent bitmap block behind a 40-byte header.
struct CKV_SkinImage {
  // Files and images beyond these are refused.
  static constexpr uint32_t kMaxSide = 16384;
  static constexpr uint64_t kMaxPixels = uint64_t{1} << 25;
  static constexpr size_t kMaxFileBytes = 64u << 20;
  static constexpr size_t kBitmapHeaderSize = 40;

  uint32_t width = 0;
  uint32_t height = 0;
  int32_t bitDepth = 0;
  int32_t colorType = 0;
  uint32_t channels = 0;
  // Decoded rows, width * channels bytes each, red first.
  std::vector<uint8_t> pixels;
  // The bKGD chunk's red, green and blue (low bytes), when the file has one.
  std::optional<std::array<uint8_t, 3>> background;
  // The 40-byte header followed by rows of ((3 * width + 3) & ~3) bytes.
  std::vector<uint8_t> bitmap;

  // False, with nothing kept, when the file cannot be read or is not a sound PNG.
  bool Load(const std::string& path);
  bool LoadFromBytes(std::span<const uint8_t> bytes);
  bool Release();

  const uint8_t* BitmapBits() const;
  uint32_t BitmapStride() const { return (3 * width + 3) & ~3u; }

  // Copies the whole image with its top-left corner at (x, y), clipped to the surface.
  void DrawTo(int32_t x, int32_t y, CKV_Surface& surface) const;
};

}  // namespace gui
