#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "glyphs/glyph_source.h"

namespace glyphs {

// How a font's outline point takes part in its contour.
enum class PointKind : uint8_t {
  kOn,     // on the curve
  kConic,  // quadratic control; between two of them the curve passes their midpoint
  kCubic,  // cubic control; they come in pairs between two on-curve points
};

struct SourcePoint {
  double x = 0;
  double y = 0;
  PointKind kind = PointKind::kOn;
};

// One closed contour as the font stores it, already scaled to device units, Y upwards.
using SourceContour = std::vector<SourcePoint>;

// Rounds to 16.16 fixed point, saturating at the ends of the range.
Fixed16 ToFixed16(double value);

// Turns font contours into native quadratic polygons: runs of straight edges become one line
// record, runs of quadratic controls one spline record, and each cubic segment becomes
// quadratic splines that stay within `cubicTolerance` device units of it. A straight edge back
// to the start is left implied. Like a hinted outline, the result lies on the grid of whole
// device units, implied midpoints included: a point moves by at most half a unit, and whole-
// unit deltas between the points lose nothing. Contours that enclose nothing (fewer than two
// distinct points) are dropped.
std::vector<OutlinePolygon> BuildNativeOutline(std::span<const SourceContour> contours,
                                               double cubicTolerance);

}  // namespace glyphs
