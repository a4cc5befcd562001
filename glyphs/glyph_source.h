#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glyphs {

// Measures of the selected font, in device units (a TEXTMETRIC's leading fields).
struct TextMetrics {
  int32_t height = 0;
  int32_t ascent = 0;
  int32_t descent = 0;
  int32_t internalLeading = 0;
  int32_t externalLeading = 0;
  // The face's weight class and italic style, as the face was found, not as requested.
  int32_t weight = 0;
  uint8_t italic = 0;
};

// Horizontal extent of one character: A is the space before the ink, B the ink, C the space
// after it; A + B + C is the advance.
struct AbcWidths {
  int32_t a = 0;
  int32_t b = 0;
  int32_t c = 0;
};

// The ink box of a glyph in whole device units, Y upwards: the origin is its top-left corner
// relative to the pen (a GLYPHMETRICS).
struct GlyphMetrics {
  uint32_t blackBoxX = 0;
  uint32_t blackBoxY = 0;
  int32_t originX = 0;
  int32_t originY = 0;
  int16_t cellIncX = 0;
  int16_t cellIncY = 0;
};

// 16.16 fixed point: the high 16 bits are the signed whole part, the low 16 the fraction.
using Fixed16 = int32_t;

struct OutlinePoint {
  Fixed16 x = 0;
  Fixed16 y = 0;

  bool operator==(const OutlinePoint&) const = default;
};

// Record and polygon kinds of a native quadratic outline.
inline constexpr uint16_t kCurveLine = 1;
inline constexpr uint16_t kCurveQSpline = 2;
inline constexpr uint32_t kPolygonType = 24;

// One record of a contour, continuing from the previous record's last point (or the contour's
// start). Line: a straight edge to each point in turn. QSpline: every point but the last is an
// off-curve control; between two consecutive controls the curve passes through their midpoint;
// the last point is on the curve.
struct OutlineCurve {
  uint16_t type = kCurveLine;
  std::vector<OutlinePoint> points;

  bool operator==(const OutlineCurve&) const = default;
};

// One closed contour; a straight edge from the last point back to the start is implied.
struct OutlinePolygon {
  uint32_t type = kPolygonType;
  OutlinePoint start;
  std::vector<OutlineCurve> curves;

  bool operator==(const OutlinePolygon&) const = default;
};

// A glyph's native outline with Y upwards, in device units as 16.16 fixed point.
struct GlyphOutline {
  GlyphMetrics metrics;
  std::vector<OutlinePolygon> polygons;
};

// One kerning pair of Windows-1252 codes; the amount is added to the first one's advance.
struct KerningAdjustment {
  uint16_t first = 0;
  uint16_t second = 0;
  int32_t amount = 0;

  bool operator==(const KerningAdjustment&) const = default;
};

// A font created and selected for measuring: its metrics, widths, outlines and kerning, in
// device units of the request's height. Characters are Windows-1252 codes; a code the font
// lacks answers with the font's missing-glyph shape and widths.
class CKV_GlyphSource {
 public:
  virtual ~CKV_GlyphSource() = default;

  // The family of the face that was found for the request.
  virtual std::string GetFaceName() const = 0;
  virtual TextMetrics GetTextMetrics() const = 0;
  virtual AbcWidths GetAbcWidths(uint8_t code) const = 0;
  // False when the outline cannot be read.
  virtual bool GetGlyphOutline(uint8_t code, GlyphOutline& out) const = 0;
  // Every pair of the font whose two characters exist in Windows-1252, by first then second
  // code.
  virtual std::vector<KerningAdjustment> GetKerningPairs() const = 0;
};

}  // namespace glyphs
