#include "glyphs/glyph_metrics.h"
#include "swftk/units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace glyphs {

namespace {

double ToDouble(Fixed16 value) {
  return value / swftk::kFixedOne;
}

struct Bounds {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();

  bool Empty() const { return minX > maxX; }

  void Add(double x, double y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
};

// Where a quadratic's coordinate turns, if it turns inside the segment.
void AddExtremum(double s, double c, double e, double& lo, double& hi) {
  const double denominator = s - 2 * c + e;
  if (denominator == 0) return;
  const double t = (s - c) / denominator;
  if (t <= 0 || t >= 1) return;
  const double value = (1 - t) * (1 - t) * s + 2 * t * (1 - t) * c + t * t * e;
  lo = std::min(lo, value);
  hi = std::max(hi, value);
}

void AddQuadratic(Bounds& bounds, double sx, double sy, double cx, double cy, double ex,
                  double ey) {
  bounds.Add(ex, ey);
  AddExtremum(sx, cx, ex, bounds.minX, bounds.maxX);
  AddExtremum(sy, cy, ey, bounds.minY, bounds.maxY);
}

void AddPolygon(Bounds& bounds, const OutlinePolygon& polygon) {
  double x = ToDouble(polygon.start.x), y = ToDouble(polygon.start.y);
  bounds.Add(x, y);
  for (const OutlineCurve& curve : polygon.curves) {
    const auto& points = curve.points;
    if (curve.type == kCurveLine) {
      for (const OutlinePoint& p : points) {
        x = ToDouble(p.x);
        y = ToDouble(p.y);
        bounds.Add(x, y);
      }
    } else if (curve.type == kCurveQSpline) {
      for (size_t i = 0; i + 1 < points.size(); ++i) {
        const double cx = ToDouble(points[i].x), cy = ToDouble(points[i].y);
        double ex = ToDouble(points[i + 1].x), ey = ToDouble(points[i + 1].y);
        if (i + 2 < points.size()) {
          ex = (cx + ex) / 2;
          ey = (cy + ey) / 2;
        }
        AddQuadratic(bounds, x, y, cx, cy, ex, ey);
        x = ex;
        y = ey;
      }
    }
  }
}

}  // namespace

GlyphMetrics MeasureOutline(std::span<const OutlinePolygon> polygons, int32_t advance) {
  GlyphMetrics metrics;
  metrics.cellIncX = static_cast<int16_t>(std::clamp<int32_t>(advance, INT16_MIN, INT16_MAX));
  Bounds bounds;
  for (const OutlinePolygon& polygon : polygons) AddPolygon(bounds, polygon);
  if (bounds.Empty()) return metrics;
  const double left = std::floor(bounds.minX), top = std::ceil(bounds.maxY);
  metrics.originX = static_cast<int32_t>(left);
  metrics.originY = static_cast<int32_t>(top);
  metrics.blackBoxX = static_cast<uint32_t>(std::ceil(bounds.maxX) - left);
  metrics.blackBoxY = static_cast<uint32_t>(top - std::floor(bounds.minY));
  return metrics;
}

AbcWidths AbcFromMetrics(const GlyphMetrics& metrics, int32_t advance) {
  const auto ink = static_cast<int32_t>(metrics.blackBoxX);
  return {metrics.originX, ink, advance - metrics.originX - ink};
}

}  // namespace glyphs
