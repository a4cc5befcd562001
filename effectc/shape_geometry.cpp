#include "effectc/shape_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

namespace effectc {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

Point OnCircle(Point centre, double rx, double ry, double angle) {
  return {centre.x + rx * std::cos(angle), centre.y + ry * std::sin(angle)};
}

void LineTo(Contour& contour, Point to) {
  contour.segments.push_back({false, {}, to});
}

void CurveTo(Contour& contour, Point control, Point to) {
  contour.segments.push_back({true, control, to});
}

// A quarter of an ellipse around centre from angle `from`, as two quadratic pieces of 45
// degrees; their control points lie on the tangents, 1 / cos(22.5) out from the centre.
void QuarterArc(Contour& contour, Point centre, double rx, double ry, double from) {
  constexpr double kStep = std::numbers::pi / 4;
  const double reach = 1 / std::cos(kStep / 2);
  for (int piece = 1; piece <= 2; ++piece) {
    const double end = from + piece * kStep;
    CurveTo(contour, OnCircle(centre, rx * reach, ry * reach, end - kStep / 2),
            OnCircle(centre, rx, ry, end));
  }
}

// Corners at equal angles, alternating between the given radii, the first straight up.
Contour RadialContour(Point centre, int corners, std::span<const double> radii, double rotation) {
  Contour contour;
  const double start = -std::numbers::pi / 2 + rotation * kDegree;
  for (int i = 0; i <= corners; ++i) {
    const double radius = radii[static_cast<size_t>(i) % radii.size()];
    const Point corner =
        OnCircle(centre, radius, radius, start + 2 * std::numbers::pi * (i % corners) / corners);
    if (i == 0) {
      contour.start = corner;
    } else {
      LineTo(contour, corner);
    }
  }
  return contour;
}

}  // namespace

Contour RectangleContour(double x, double y, double width, double height, double radius) {
  const double r = std::clamp(radius, 0.0, std::min(std::abs(width), std::abs(height)) / 2);
  Contour contour;
  if (r <= 0) {
    contour.start = {x, y};
    LineTo(contour, {x + width, y});
    LineTo(contour, {x + width, y + height});
    LineTo(contour, {x, y + height});
    LineTo(contour, {x, y});
    return contour;
  }
  // Clockwise from the end of the top-left corner; each corner is a quarter arc.
  contour.start = {x + r, y};
  LineTo(contour, {x + width - r, y});
  QuarterArc(contour, {x + width - r, y + r}, r, r, -std::numbers::pi / 2);
  LineTo(contour, {x + width, y + height - r});
  QuarterArc(contour, {x + width - r, y + height - r}, r, r, 0);
  LineTo(contour, {x + r, y + height});
  QuarterArc(contour, {x + r, y + height - r}, r, r, std::numbers::pi / 2);
  LineTo(contour, {x, y + r});
  QuarterArc(contour, {x + r, y + r}, r, r, std::numbers::pi);
  return contour;
}

Contour EllipseContour(double cx, double cy, double rx, double ry) {
  Contour contour;
  const Point centre{cx, cy};
  contour.start = OnCircle(centre, rx, ry, 0);
  for (int quarter = 0; quarter < 4; ++quarter)
    QuarterArc(contour, centre, rx, ry, quarter * std::numbers::pi / 2);
  // The last piece closes on the exact start point, whatever the rounding of the angles.
  contour.segments.back().to = contour.start;
  return contour;
}

Contour LineContour(Point from, Point to) {
  Contour contour;
  contour.start = from;
  LineTo(contour, to);
  return contour;
}

Contour StarContour(Point centre, int points, double outer, double inner, double rotation) {
  const double radii[] = {outer, inner};
  return RadialContour(centre, 2 * points, radii, rotation);
}

Contour RegularPolygonContour(Point centre, int sides, double radius, double rotation) {
  return RadialContour(centre, sides, std::span<const double>(&radius, 1), rotation);
}

Contour PolygonContour(const std::vector<Point>& corners) {
  Contour contour;
  if (corners.empty()) return contour;
  contour.start = corners.front();
  for (size_t i = 1; i < corners.size(); ++i) LineTo(contour, corners[i]);
  LineTo(contour, corners.front());
  return contour;
}

}  // namespace effectc
