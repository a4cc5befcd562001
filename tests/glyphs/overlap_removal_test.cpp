// Overlapping parts of a glyph are merged so that SWF's edge-by-edge fill draws them whole.
#include "glyphs/overlap_removal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "glyphs/outline_builder.h"

namespace glyphs {
namespace {

struct Point {
  double x, y;
};

// A straight-edged contour through the corners in order.
OutlinePolygon Polygon(const std::vector<Point>& corners) {
  OutlinePolygon polygon;
  polygon.start = {ToFixed16(corners[0].x), ToFixed16(corners[0].y)};
  OutlineCurve line{kCurveLine, {}};
  for (size_t i = 1; i < corners.size(); ++i) {
    line.points.push_back({ToFixed16(corners[i].x), ToFixed16(corners[i].y)});
  }
  polygon.curves.push_back(line);
  return polygon;
}

// Counter-clockwise (a font's filled direction here) or clockwise (a hole).
OutlinePolygon Square(double x0, double y0, double x1, double y1, bool clockwise = false) {
  if (clockwise) return Polygon({{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}});
  return Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// A circle of eight spline controls.
OutlinePolygon Circle(double cx, double cy, double r) {
  SourceContour contour;
  for (int i = 0; i < 8; ++i) {
    const double angle = i * 3.14159265358979 / 4;
    contour.push_back(
        {cx + r * 1.0824 * std::cos(angle), cy + r * 1.0824 * std::sin(angle), PointKind::kConic});
  }
  return BuildNativeOutline(std::vector<SourceContour>{contour}, 0).front();
}

// Whether a point is inside by the even-odd rule, counting straight edges only.
bool EvenOddFilled(const std::vector<OutlinePolygon>& polygons, Point p) {
  bool inside = false;
  for (const OutlinePolygon& polygon : polygons) {
    std::vector<Point> corners{{polygon.start.x / 65536.0, polygon.start.y / 65536.0}};
    for (const OutlineCurve& curve : polygon.curves) {
      EXPECT_EQ(curve.type, kCurveLine);
      for (const OutlinePoint& q : curve.points) corners.push_back({q.x / 65536.0, q.y / 65536.0});
    }
    for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Point a = corners[i], b = corners[j];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
  }
  return inside;
}

struct MergeCase {
  std::string name;
  std::vector<OutlinePolygon> polygons;
  size_t polygonsAfter;
  std::vector<Point> filled;
  std::vector<Point> empty;
};

TEST(RemoveOverlaps, MergesPartsThatOverlap) {
  const std::vector<MergeCase> cases = {
      {"crossing squares",
       {Square(0, 0, 100, 100), Square(50, 50, 150, 150)},
       1,
       {{25, 25}, {75, 75}, {125, 125}},
       {{125, 25}, {25, 125}}},
      {"a square inside one of the same direction",
       {Square(0, 0, 100, 100), Square(20, 20, 80, 80)},
       1,
       {{50, 50}, {10, 10}},
       {{110, 50}}},
      {"a ring over a block with a counter, holes kept",
       {Square(0, 0, 100, 100), Square(30, 30, 70, 70, true), Square(20, 80, 80, 140),
        Square(35, 105, 65, 130, true)},
       3,
       {{50, 90}, {10, 10}, {50, 135}},
       {{50, 50}, {50, 120}, {10, 120}}},
  };
  for (const MergeCase& c : cases) {
    std::vector<OutlinePolygon> polygons = c.polygons;
    EXPECT_TRUE(RemoveOverlaps(polygons)) << c.name;
    EXPECT_EQ(polygons.size(), c.polygonsAfter) << c.name;
    for (const Point p : c.filled) {
      EXPECT_TRUE(EvenOddFilled(polygons, p)) << c.name << " at " << p.x << ", " << p.y;
    }
    for (const Point p : c.empty) {
      EXPECT_FALSE(EvenOddFilled(polygons, p)) << c.name << " at " << p.x << ", " << p.y;
    }
  }
}

TEST(RemoveOverlaps, LeavesGlyphsThatFillAlikeAsTheyAre) {
  const std::vector<std::vector<OutlinePolygon>> cases = {
      {Square(0, 0, 100, 100)},
      {Square(0, 0, 100, 100), Square(30, 30, 70, 70, true)},
      {Square(0, 0, 100, 100), Square(200, 0, 300, 100, true)},
      {Square(0, 0, 100, 100), Square(20, 20, 80, 80, true), Square(40, 40, 60, 60)},
      {Circle(0, 0, 100), Circle(300, 0, 100)},
  };
  for (const auto& glyph : cases) {
    std::vector<OutlinePolygon> polygons = glyph;
    EXPECT_FALSE(RemoveOverlaps(polygons));
    EXPECT_EQ(polygons, glyph);
  }
}

TEST(RemoveOverlaps, KeepsCurves) {
  std::vector<OutlinePolygon> polygons{Circle(0, 0, 100), Circle(120, 0, 100)};
  ASSERT_TRUE(RemoveOverlaps(polygons));
  ASSERT_EQ(polygons.size(), 1U);
  size_t controls = 0;
  for (const OutlineCurve& curve : polygons[0].curves) {
    EXPECT_EQ(curve.type, kCurveQSpline);
    controls += curve.points.size() - 1;
  }
  // Each circle keeps the controls of the arcs outside the other: no arc is flattened.
  EXPECT_GE(controls, 10U);
  EXPECT_LE(controls, 16U);
}

}  // namespace
}  // namespace glyphs
