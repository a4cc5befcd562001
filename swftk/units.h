#pragma once

#include <cstdint>

namespace swftk {

// SWF lengths are in twips, a twentieth of a pixel.
inline constexpr int kTwipsPerPixel = 20;

// Glyph outlines, advances and bounds of SWF fonts lie on a square of this many design units;
// fonts are measured at this cell height so that one device unit is one design unit.
inline constexpr int kGlyphCellUnits = 1024;

// One in the 16.16 fixed-point numbers of matrices and glyph outlines.
inline constexpr int32_t kFixedOne = 65536;

// A colour with straight (not premultiplied) 8-bit channels.
struct Rgba {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  uint8_t a = 255;

  bool operator==(const Rgba&) const = default;
};

}  // namespace swftk
