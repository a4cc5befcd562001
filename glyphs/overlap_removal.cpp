#include "glyphs/overlap_removal.h"

#include <2geom/intersection-graph.h>
#include <2geom/path.h>
#include <2geom/pathvector.h>
#include <2geom/transforms.h>

#include <cmath>
#include <exception>
#include <optional>

#include "glyphs/outline_builder.h"
#include "swftk/units.h"

namespace glyphs {

namespace {

// How far beside an edge the fill is probed, in device units: far below the whole unit that
// the outline's points lie apart on, so the probe stays beside that edge alone.
constexpr double kProbe = 1.0 / 64;

Geom::Point At(OutlinePoint point) {
  return {point.x / double{swftk::kFixedOne}, point.y / double{swftk::kFixedOne}};
}

Geom::Point Mid(Geom::Point a, Geom::Point b) {
  return (a + b) * 0.5;
}

double Cross(Geom::Point a, Geom::Point b) {
  return a[Geom::X] * b[Geom::Y] - a[Geom::Y] * b[Geom::X];
}

// The polygon as the glyph converter walks it: a spline passes through the midpoint of two
// consecutive controls, and a straight edge closes the contour.
Geom::Path ToPath(const OutlinePolygon& polygon) {
  Geom::Path path(At(polygon.start));
  for (const OutlineCurve& curve : polygon.curves) {
    const std::vector<OutlinePoint>& p = curve.points;
    if (curve.type == kCurveLine) {
      for (const OutlinePoint& point : p) path.appendNew<Geom::LineSegment>(At(point));
    } else if (curve.type == kCurveQSpline) {
      for (size_t i = 0; i + 1 < p.size(); ++i) {
        const Geom::Point end = i + 2 < p.size() ? Mid(At(p[i]), At(p[i + 1])) : At(p[i + 1]);
        path.appendNew<Geom::QuadraticBezier>(At(p[i]), end);
      }
    }
  }
  path.close();
  return path;
}

// Exact for straight and quadratic pieces: a parabolic segment adds two thirds of the
// triangle its control makes with its chord.
double SignedArea(const Geom::Path& path) {
  double twice = 0;
  for (const Geom::Curve& curve : path) {
    const Geom::Point from = curve.initialPoint();
    const Geom::Point to = curve.finalPoint();
    twice += Cross(from, to);
    const auto* bezier = dynamic_cast<const Geom::BezierCurve*>(&curve);
    if (bezier && bezier->order() == 2) {
      twice += 2.0 / 3.0 * Cross(bezier->controlPoint(1) - from, to - from);
    }
  }
  return twice / 2;
}

// A point on the contour's first edge of any length, with the edge's unit normal.
std::optional<std::pair<Geom::Point, Geom::Point>> PointWithNormal(const Geom::Path& path) {
  for (const Geom::Curve& curve : path) {
    if (curve.isDegenerate()) continue;
    return std::pair{curve.pointAt(0.5), Geom::rot90(curve.unitTangentAt(0.5))};
  }
  return std::nullopt;
}

// Both rules fill alike when no two contours cross and every contour separates filled from
// empty by the non-zero rule, as it does by the even-odd rule.
bool FillsAlike(const Geom::PathVector& paths) {
  for (size_t i = 0; i < paths.size(); ++i) {
    for (size_t j = i + 1; j < paths.size(); ++j) {
      const Geom::OptRect a = paths[i].boundsFast();
      const Geom::OptRect b = paths[j].boundsFast();
      if (a && b && a->intersects(*b) && !paths[i].intersect(paths[j]).empty()) return false;
    }
    const auto probe = PointWithNormal(paths[i]);
    if (!probe) continue;
    const auto [point, normal] = *probe;
    const bool left = paths.winding(point + kProbe * normal) != 0;
    const bool right = paths.winding(point - kProbe * normal) != 0;
    if (left == right) return false;
  }
  return true;
}

// The glyph's parts: each contour that fills by the non-zero rule with the contours of the
// other orientation that cut holes into it (each hole goes to the smallest such contour).
// Every part fills alike by both rules, so their union is the glyph.
std::vector<Geom::PathVector> Parts(const Geom::PathVector& paths) {
  std::vector<double> areas;
  size_t largest = 0;
  for (size_t i = 0; i < paths.size(); ++i) {
    areas.push_back(SignedArea(paths[i]));
    if (std::abs(areas[i]) > std::abs(areas[largest])) largest = i;
  }
  const bool filledSign = areas[largest] > 0;

  std::vector<std::optional<size_t>> holeOf(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    const auto probe = PointWithNormal(paths[i]);
    if ((areas[i] > 0) == filledSign || !probe) continue;
    for (size_t j = 0; j < paths.size(); ++j) {
      const bool tighter = !holeOf[i] || std::abs(areas[j]) < std::abs(areas[*holeOf[i]]);
      if ((areas[j] > 0) == filledSign && tighter && paths[j].winding(probe->first) != 0) {
        holeOf[i] = j;
      }
    }
  }
  std::vector<Geom::PathVector> parts;
  std::vector<size_t> partOf(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    if (holeOf[i]) continue;
    partOf[i] = parts.size();
    parts.emplace_back(paths[i]);
  }
  for (size_t i = 0; i < paths.size(); ++i) {
    if (holeOf[i]) parts[partOf[*holeOf[i]]].push_back(paths[i]);
  }
  return parts;
}

// Back to font contours; a point where two splines meet at the midpoint of their controls
// stays implied, as the font had it. Null when a piece is neither straight nor quadratic.
std::optional<SourceContour> ToContour(const Geom::Path& path) {
  SourceContour contour{{path.initialPoint()[Geom::X], path.initialPoint()[Geom::Y]}};
  std::optional<Geom::Point> lastControl;
  for (size_t i = 0; i < path.size(); ++i) {
    const auto* bezier = dynamic_cast<const Geom::BezierCurve*>(&path[i]);
    if (!bezier || bezier->order() > 2) return std::nullopt;
    std::optional<Geom::Point> control;
    if (bezier->order() == 2) {
      control = bezier->controlPoint(1);
      const Geom::Point joint = bezier->initialPoint();
      if (lastControl && contour.size() > 1 && Geom::are_near(joint, Mid(*lastControl, *control))) {
        contour.pop_back();
      }
      contour.push_back({(*control)[Geom::X], (*control)[Geom::Y], PointKind::kConic});
    }
    if (i + 1 < path.size()) {
      contour.push_back({bezier->finalPoint()[Geom::X], bezier->finalPoint()[Geom::Y]});
    }
    lastControl = control;
  }
  return contour;
}

// Parts that only touch (an apex meeting the inside of a ring at one point) can leave the
// library without a consistent crossing graph; moved apart by a small fraction of a unit, far
// below the whole-unit grid the result is put back on, they cross or part cleanly.
constexpr double kNudge = 1.0 / 256;
constexpr int kAttempts = 3;

std::optional<Geom::PathVector> Union(const std::vector<Geom::PathVector>& parts, double nudge) {
  try {
    Geom::PathVector whole = parts.front();
    for (size_t i = 1; i < parts.size(); ++i) {
      const double shift = nudge * static_cast<double>(i);
      Geom::PathIntersectionGraph graph(whole, parts[i] * Geom::Translate(shift, shift / 2));
      if (!graph.valid()) return std::nullopt;
      whole = graph.getUnion();
    }
    return whole;
  } catch (const std::exception&) {
    // The library reports a degenerate case it cannot resolve.
    return std::nullopt;
  }
}

}  // namespace

bool RemoveOverlaps(std::vector<OutlinePolygon>& polygons) {
  // A lone contour of a font does not cross itself, so it fills alike by both rules.
  if (polygons.size() < 2) return false;
  Geom::PathVector paths;
  for (const OutlinePolygon& polygon : polygons) {
    if (polygon.type != kPolygonType) return false;
    paths.push_back(ToPath(polygon));
  }
  if (FillsAlike(paths)) return false;

  const std::vector<Geom::PathVector> parts = Parts(paths);
  std::optional<Geom::PathVector> whole;
  for (int attempt = 0; attempt < kAttempts && !whole; ++attempt) {
    whole = Union(parts, kNudge * attempt);
  }
  if (!whole) return false;
  std::vector<SourceContour> contours;
  for (const Geom::Path& path : *whole) {
    std::optional<SourceContour> contour = ToContour(path);
    if (!contour) return false;
    contours.push_back(std::move(*contour));
  }
  // Only straight and quadratic pieces come back, so no cubic needs a tolerance.
  polygons = BuildNativeOutline(contours, 0);
  return true;
}

}  // namespace glyphs
