#include "glyphs/outline_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "outline_sampling.h"

namespace glyphs {
namespace {

constexpr Fixed16 kOne = 0x10000;

SourcePoint On(double x, double y) {
  return {x, y, PointKind::kOn};
}
SourcePoint Conic(double x, double y) {
  return {x, y, PointKind::kConic};
}
SourcePoint Cubic(double x, double y) {
  return {x, y, PointKind::kCubic};
}

OutlinePoint P(int x, int y) {
  return {x * kOne, y * kOne};
}

std::vector<OutlinePolygon> Build(std::vector<SourceContour> contours, double tolerance = 0.5) {
  return BuildNativeOutline(contours, tolerance);
}

TEST(ToFixed16, RoundsToSixteenBitFractions) {
  EXPECT_EQ(ToFixed16(1.0), 0x0001'0000);
  EXPECT_EQ(ToFixed16(-0.5), static_cast<Fixed16>(0xFFFF'8000));
  EXPECT_EQ(ToFixed16(10.7), 0x000A'B333);  // 10.7 * 65536 = 701235.2
  EXPECT_EQ(ToFixed16(-20.2), -1323827);    // -20.2 * 65536 = -1323827.2
  EXPECT_EQ(ToFixed16(1e9), std::numeric_limits<Fixed16>::max());
  EXPECT_EQ(ToFixed16(-1e9), std::numeric_limits<Fixed16>::min());
  EXPECT_EQ(ToFixed16(std::nan("")), std::numeric_limits<Fixed16>::min());
}

struct WalkCase {
  const char* name;
  SourceContour contour;
  OutlinePolygon expected;
};

const WalkCase kWalkCases[] = {
    {"triangle: one line record, the edge back to the start implied",
     {On(0, 0), On(10, 0), On(0, 10)},
     {kPolygonType, P(0, 0), {{kCurveLine, {P(10, 0), P(0, 10)}}}}},
    {"run of controls: one spline record ending on the curve",
     {On(0, 0), Conic(5, 10), Conic(15, 10), On(20, 0)},
     {kPolygonType, P(0, 0), {{kCurveQSpline, {P(5, 10), P(15, 10), P(20, 0)}}}}},
    {"lines and splines alternate, repeated points dropped",
     {On(0, 0), On(10, 0), On(10, 0), On(20, 0), Conic(20, 10), On(10, 10), On(0, 10)},
     {kPolygonType,
      P(0, 0),
      {{kCurveLine, {P(10, 0), P(20, 0)}},
       {kCurveQSpline, {P(20, 10), P(10, 10)}},
       {kCurveLine, {P(0, 10)}}}}},
    {"starting with a control: starts at the first on-curve point, the spline closes it",
     {Conic(5, 10), On(10, 0), On(0, 0)},
     {kPolygonType, P(10, 0), {{kCurveLine, {P(0, 0)}}, {kCurveQSpline, {P(5, 10), P(10, 0)}}}}},
    {"only controls: starts at the midpoint of the last and the first",
     {Conic(0, 10), Conic(10, 10), Conic(10, 0), Conic(0, 0)},
     {kPolygonType, P(0, 5), {{kCurveQSpline, {P(0, 10), P(10, 10), P(10, 0), P(0, 0), P(0, 5)}}}}},
};

TEST(BuildNativeOutline, WalksContoursIntoRecords) {
  for (const WalkCase& c : kWalkCases) {
    SCOPED_TRACE(c.name);
    const std::vector<OutlinePolygon> polygons = Build({c.contour});
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0], c.expected);
  }
}

TEST(BuildNativeOutline, DropsContoursThatEncloseNothing) {
  const std::vector<OutlinePolygon> polygons =
      Build({{On(1, 1)}, {On(2, 2), On(2, 2)}, {}, {On(0, 0), On(4, 0), On(4, 4)}});
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].start, P(0, 0));
}

TEST(BuildNativeOutline, PointsLieOnWholeDeviceUnits) {
  const std::vector<OutlinePolygon> polygons =
      Build({{On(10.7, 20.2), On(-3.25, 0.5), On(0.4, -0.4), On(0.2, 0.3)}});
  ASSERT_EQ(polygons.size(), 1u);
  // (-3.25, 0.5) rounds away from zero; the last point lands on the previous one and goes.
  EXPECT_EQ(polygons[0],
            (OutlinePolygon{kPolygonType, P(11, 20), {{kCurveLine, {P(-3, 1), P(0, 0)}}}}));
}

TEST(BuildNativeOutline, MidpointOffTheGridBecomesAnExplicitEnd) {
  // Between (5, 10) and (10, 10) the implied point would be (7.5, 10); between (10, 10) and
  // (20, 0) it is (15, 5), on the grid.
  const std::vector<OutlinePolygon> polygons =
      Build({{On(0, 0), Conic(5, 10), Conic(10, 10), Conic(20, 0), On(20, -10)}});
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].curves,
            (std::vector<OutlineCurve>{{kCurveQSpline, {P(5, 10), P(8, 10)}},
                                       {kCurveQSpline, {P(10, 10), P(20, 0), P(20, -10)}}}));
}

// Distance from each point of the cubic to the nearest sampled point of the polygon.
double FarthestDeviation(const OutlinePolygon& polygon, SampledPoint p0, SampledPoint c1,
                         SampledPoint c2, SampledPoint p3) {
  const std::vector<SampledPoint> samples = SamplePolygon(polygon, 400);
  double farthest = 0;
  for (int k = 0; k <= 200; ++k) {
    const double t = k / 200.0, u = 1 - t;
    const double x =
        u * u * u * p0.x + 3 * u * u * t * c1.x + 3 * u * t * t * c2.x + t * t * t * p3.x;
    const double y =
        u * u * u * p0.y + 3 * u * u * t * c1.y + 3 * u * t * t * c2.y + t * t * t * p3.y;
    double nearest = std::numeric_limits<double>::infinity();
    for (const SampledPoint& s : samples) nearest = std::min(nearest, std::hypot(s.x - x, s.y - y));
    farthest = std::max(farthest, nearest);
  }
  return farthest;
}

TEST(BuildNativeOutline, CubicBecomesQuadraticsWithinTolerance) {
  const std::vector<OutlinePolygon> polygons =
      Build({{On(0, 0), Cubic(0, 300), Cubic(400, 300), On(400, 0)}}, 0.5);
  ASSERT_EQ(polygons.size(), 1u);
  const OutlinePolygon& polygon = polygons[0];
  ASSERT_GT(polygon.curves.size(), 1u);
  for (const OutlineCurve& curve : polygon.curves) {
    EXPECT_EQ(curve.type, kCurveQSpline);
    EXPECT_EQ(curve.points.size(), 2u);
  }
  EXPECT_EQ(polygon.curves.back().points.back(), P(400, 0));
  // Within the tolerance, plus at most half a unit each way for the grid, plus a little for
  // the sampling.
  EXPECT_LE(FarthestDeviation(polygon, {0, 0}, {0, 300}, {400, 300}, {400, 0}),
            0.5 + std::sqrt(0.5) + 0.05);
}

TEST(BuildNativeOutline, CubicWithinLooseToleranceIsOneQuadratic) {
  const std::vector<OutlinePolygon> polygons =
      Build({{On(0, 0), Cubic(0, 100), Cubic(100, 100), On(100, 0)}}, 1000);
  ASSERT_EQ(polygons.size(), 1u);
  ASSERT_EQ(polygons[0].curves.size(), 1u);
  // (3 (c1 + c2) - p0 - p3) / 4
  EXPECT_EQ(polygons[0].curves[0], (OutlineCurve{kCurveQSpline, {P(50, 150), P(100, 0)}}));
}

TEST(BuildNativeOutline, CubicBackToTheStartEndsExactlyThere) {
  const std::vector<OutlinePolygon> polygons =
      Build({{On(0, 0), On(100, 0), Cubic(100, 100), Cubic(0, 100)}});
  ASSERT_EQ(polygons.size(), 1u);
  const OutlinePolygon& polygon = polygons[0];
  EXPECT_EQ(polygon.curves.front(), (OutlineCurve{kCurveLine, {P(100, 0)}}));
  EXPECT_EQ(polygon.curves.back().points.back(), P(0, 0));
}

TEST(BuildNativeOutline, HugeCubicSplitsABoundedNumberOfTimes) {
  const std::vector<OutlinePolygon> polygons =
      Build({{On(0, 0), Cubic(0, 1e7), Cubic(-1e7, -1e7), On(1e7, 0)}}, 1e-9);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_LE(polygons[0].curves.size(), 256u);
}

}  // namespace
}  // namespace glyphs
