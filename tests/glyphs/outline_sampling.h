#pragma once

#include <vector>

#include "glyphs/glyph_source.h"

namespace glyphs {

struct SampledPoint {
  double x = 0;
  double y = 0;
};

// Points along a polygon's edges in device units: every on-curve point, `perCurve` points along
// each quadratic piece, and the start again at the end, so consecutive points form a closed
// polyline.
std::vector<SampledPoint> SamplePolygon(const OutlinePolygon& polygon, int perCurve);

// Area enclosed by a closed polyline, positive when it runs anticlockwise (Y upwards).
double SignedArea(const std::vector<SampledPoint>& polyline);

}  // namespace glyphs
