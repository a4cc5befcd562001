#pragma once

#include <cstdint>
#include <vector>

#include "player/transform.h"

namespace swftk {
class CSwfColor;
class CSwfFillStyle;
class CSwfLineStyle;
}  // namespace swftk

namespace player {

// A toolkit colour, opaque when it has no alpha; an absent one is opaque black.
Rgba ColorFromSwf(const swftk::CSwfColor* color);

struct GradientStop {
  double offset = 0;  // 0 to 1 along the gradient
  Rgba color;
};

// How the inside of a region is painted.
struct FillStyle {
  enum class Kind : uint8_t { kSolid, kLinearGradient, kRadialGradient, kBitmap };

  // Gradients are laid out in a square of this half-size in twips, then mapped by the matrix.
  static constexpr double kGradientHalfSize = 16384.0;

  static FillStyle FromSwf(const swftk::CSwfFillStyle& style);
  // A fill of the toolkit's fill type with its kind set; a type this format version does not
  // know paints nothing.
  static FillStyle OfType(uint8_t fillType);
  static FillStyle Solid(Rgba color) { return {Kind::kSolid, color, {}, {}, 0, true}; }

  Kind kind = Kind::kSolid;
  Rgba color;
  std::vector<GradientStop> stops;
  // Gradient square or bitmap pixels to shape twips.
  Transform2D matrix;
  uint16_t bitmapId = 0;
  // A bitmap fill tiles; otherwise its edge pixels extend.
  bool repeat = true;
};

// How an edge is stroked: always round caps and joins.
struct LineStyle {
  static LineStyle FromSwf(const swftk::CSwfLineStyle& style);

  uint16_t width = 0;  // twips
  Rgba color;
};

}  // namespace player
