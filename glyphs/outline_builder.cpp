#include "glyphs/outline_builder.h"
#include "swftk/units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace glyphs {

namespace {

struct Vec {
  double x = 0;
  double y = 0;
};

Vec operator+(Vec a, Vec b) {
  return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
  return {a.x - b.x, a.y - b.y};
}
Vec operator*(double k, Vec a) {
  return {k * a.x, k * a.y};
}
Vec Mid(Vec a, Vec b) {
  return 0.5 * (a + b);
}

// Halving a cubic divides its approximation error by eight, so this depth is never reached
// by a sane outline; it bounds the work for an insane one.
constexpr int kMaxCubicSplits = 8;

// Writes one polygon on the whole-unit grid: every point, and every midpoint implied between
// two controls, is a whole device unit, so that whole-unit deltas between them are exact.
class PolygonWriter {
 public:
  explicit PolygonWriter(Vec start) {
    polygon_.start = Snap(start);
    last_ = polygon_.start;
  }

  void LineTo(Vec to) {
    const OutlinePoint point = Snap(to);
    if (point == last_) return;
    OutlineCurve& curve = Open(kCurveLine);
    curve.points.push_back(point);
    last_ = point;
  }

  // Controls with implied midpoints between them, then the on-curve end. A midpoint that
  // falls between grid points is rounded and written as the end of a record of its own.
  void SplineTo(std::span<const Vec> controls, Vec to) {
    OutlineCurve curve{kCurveQSpline, {}};
    for (size_t i = 0; i < controls.size(); ++i) {
      curve.points.push_back(Snap(controls[i]));
      if (i + 1 == controls.size()) break;
      const Vec implied = Mid(ToVec(curve.points.back()), ToVec(Snap(controls[i + 1])));
      if (IsWhole(implied)) continue;
      curve.points.push_back(Snap(implied));
      polygon_.curves.push_back(std::move(curve));
      curve = {kCurveQSpline, {}};
    }
    curve.points.push_back(Snap(to));
    last_ = curve.points.back();
    polygon_.curves.push_back(std::move(curve));
  }

  // Quadratic pieces of the cubic, each within the tolerance of its part of the cubic.
  void CubicTo(Vec p0, Vec c1, Vec c2, Vec p3, double tolerance, int depth = 0) {
    const Vec third = p3 - 3.0 * c2 + 3.0 * c1 - p0;
    const double error = std::sqrt(3.0) / 36.0 * std::hypot(third.x, third.y);
    if (error <= tolerance || depth == kMaxCubicSplits) {
      const Vec control = 0.25 * (3.0 * (c1 + c2) - p0 - p3);
      SplineTo(std::span(&control, 1), p3);
      return;
    }
    const Vec a = Mid(p0, c1), b = Mid(c1, c2), c = Mid(c2, p3);
    const Vec ab = Mid(a, b), bc = Mid(b, c), middle = Mid(ab, bc);
    CubicTo(p0, a, ab, middle, tolerance, depth + 1);
    CubicTo(middle, bc, c, p3, tolerance, depth + 1);
  }

  OutlinePolygon Take() { return std::move(polygon_); }

 private:
  static OutlinePoint Snap(Vec v) {
    return {ToFixed16(std::round(v.x)), ToFixed16(std::round(v.y))};
  }
  static Vec ToVec(OutlinePoint p) {
    return {p.x / double{swftk::kFixedOne}, p.y / double{swftk::kFixedOne}};
  }
  static bool IsWhole(Vec v) { return v.x == std::round(v.x) && v.y == std::round(v.y); }

  OutlineCurve& Open(uint16_t type) {
    if (polygon_.curves.empty() || polygon_.curves.back().type != type) {
      polygon_.curves.push_back({type, {}});
    }
    return polygon_.curves.back();
  }

  OutlinePolygon polygon_;
  OutlinePoint last_;
};

Vec At(const SourcePoint& point) {
  return {point.x, point.y};
}

// Walks the contour from an on-curve start once round, back to that start.
OutlinePolygon ConvertContour(const SourceContour& contour, double tolerance) {
  const size_t n = contour.size();
  const auto firstOn = std::find_if(contour.begin(), contour.end(),
                                    [](const SourcePoint& p) { return p.kind == PointKind::kOn; });
  // Without any on-curve point the contour starts at the implied midpoint before its first
  // control.
  const bool hasOn = firstOn != contour.end();
  const size_t first = hasOn ? firstOn - contour.begin() + 1 : 0;
  const Vec start = hasOn ? At(*firstOn) : Mid(At(contour[n - 1]), At(contour[0]));

  std::vector<SourcePoint> walk;
  for (size_t i = 0; i < (hasOn ? n - 1 : n); ++i) walk.push_back(contour[(first + i) % n]);
  walk.push_back({start.x, start.y, PointKind::kOn});

  PolygonWriter writer(start);
  std::vector<Vec> controls;
  Vec previous = start;
  for (size_t i = 0; i < walk.size(); ++i) {
    const SourcePoint& point = walk[i];
    if (point.kind == PointKind::kCubic && controls.empty() && i + 2 < walk.size() &&
        walk[i + 1].kind == PointKind::kCubic && walk[i + 2].kind == PointKind::kOn) {
      writer.CubicTo(previous, At(point), At(walk[i + 1]), At(walk[i + 2]), tolerance);
      previous = At(walk[i + 2]);
      i += 2;
    } else if (point.kind != PointKind::kOn) {
      // A lone cubic control is taken as a quadratic one.
      controls.push_back(At(point));
    } else {
      if (!controls.empty()) {
        writer.SplineTo(controls, At(point));
        controls.clear();
      } else if (i + 1 < walk.size()) {
        writer.LineTo(At(point));
      }
      previous = At(point);
    }
  }
  return writer.Take();
}

}  // namespace

Fixed16 ToFixed16(double value) {
  const double scaled = std::round(value * swftk::kFixedOne);
  constexpr double kLow = std::numeric_limits<Fixed16>::min();
  constexpr double kHigh = std::numeric_limits<Fixed16>::max();
  if (!(scaled >= kLow)) return std::numeric_limits<Fixed16>::min();
  if (scaled > kHigh) return std::numeric_limits<Fixed16>::max();
  return static_cast<Fixed16>(scaled);
}

std::vector<OutlinePolygon> BuildNativeOutline(std::span<const SourceContour> contours,
                                               double cubicTolerance) {
  std::vector<OutlinePolygon> polygons;
  for (const SourceContour& contour : contours) {
    if (contour.size() < 2) continue;
    OutlinePolygon polygon = ConvertContour(contour, cubicTolerance);
    if (!polygon.curves.empty()) polygons.push_back(std::move(polygon));
  }
  return polygons;
}

}  // namespace glyphs
