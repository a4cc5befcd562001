#include "outline_sampling.h"

namespace glyphs {

namespace {

SampledPoint ToPoint(const OutlinePoint& p) {
  return {p.x / 65536.0, p.y / 65536.0};
}

}  // namespace

std::vector<SampledPoint> SamplePolygon(const OutlinePolygon& polygon, int perCurve) {
  std::vector<SampledPoint> points{ToPoint(polygon.start)};
  for (const OutlineCurve& curve : polygon.curves) {
    if (curve.type == kCurveLine) {
      for (const OutlinePoint& p : curve.points) points.push_back(ToPoint(p));
      continue;
    }
    SampledPoint from = points.back();
    const size_t n = curve.points.size();
    for (size_t i = 0; i + 1 < n; ++i) {
      const SampledPoint control = ToPoint(curve.points[i]);
      SampledPoint to = ToPoint(curve.points[i + 1]);
      if (i + 2 < n) to = {(control.x + to.x) / 2, (control.y + to.y) / 2};
      for (int k = 1; k <= perCurve; ++k) {
        const double t = static_cast<double>(k) / perCurve, u = 1 - t;
        points.push_back({u * u * from.x + 2 * u * t * control.x + t * t * to.x,
                          u * u * from.y + 2 * u * t * control.y + t * t * to.y});
      }
      from = to;
    }
  }
  points.push_back(points.front());
  return points;
}

double SignedArea(const std::vector<SampledPoint>& polyline) {
  double twice = 0;
  for (size_t i = 0; i + 1 < polyline.size(); ++i) {
    twice += polyline[i].x * polyline[i + 1].y - polyline[i + 1].x * polyline[i].y;
  }
  return twice / 2;
}

}  // namespace glyphs
