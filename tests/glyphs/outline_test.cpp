// Glyph outlines: built from contours and read from the installed fonts. The player's tests draw
// every converted glyph back against FreeType's rendering.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "glyphs/outline_builder.h"
#include "glyphs/system_font_service.h"
#include "glyphs/windows1252.h"

namespace glyphs {
namespace {

struct SampledPoint {
  double x = 0, y = 0;
};

SampledPoint ToPoint(const OutlinePoint& p) {
  return {p.x / 65536.0, p.y / 65536.0};
}

// Points along a polygon's edges in device units: every on-curve point, `perCurve` points along
// each quadratic piece, and the start again at the end, so consecutive points form a closed
// polyline.
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

TEST(BuildNativeOutline, WalksContoursIntoRecords) {
  const struct {
    const char* name;
    std::vector<SourceContour> contours;
    std::vector<OutlinePolygon> expected;
  } cases[] = {
      {"triangle: one line record, the edge back to the start implied",
       {{On(0, 0), On(10, 0), On(0, 10)}},
       {{kPolygonType, P(0, 0), {{kCurveLine, {P(10, 0), P(0, 10)}}}}}},
      {"run of controls: one spline record ending on the curve",
       {{On(0, 0), Conic(5, 10), Conic(15, 10), On(20, 0)}},
       {{kPolygonType, P(0, 0), {{kCurveQSpline, {P(5, 10), P(15, 10), P(20, 0)}}}}}},
      {"lines and splines alternate, repeated points dropped",
       {{On(0, 0), On(10, 0), On(10, 0), On(20, 0), Conic(20, 10), On(10, 10), On(0, 10)}},
       {{kPolygonType,
         P(0, 0),
         {{kCurveLine, {P(10, 0), P(20, 0)}},
          {kCurveQSpline, {P(20, 10), P(10, 10)}},
          {kCurveLine, {P(0, 10)}}}}}},
      {"starting with a control: starts at the first on-curve point, the spline closes it",
       {{Conic(5, 10), On(10, 0), On(0, 0)}},
       {{kPolygonType,
         P(10, 0),
         {{kCurveLine, {P(0, 0)}}, {kCurveQSpline, {P(5, 10), P(10, 0)}}}}}},
      {"only controls: starts at the midpoint of the last and the first",
       {{Conic(0, 10), Conic(10, 10), Conic(10, 0), Conic(0, 0)}},
       {{kPolygonType,
         P(0, 5),
         {{kCurveQSpline, {P(0, 10), P(10, 10), P(10, 0), P(0, 0), P(0, 5)}}}}}},
      {"contours that enclose nothing are dropped",
       {{On(1, 1)}, {On(2, 2), On(2, 2)}, {}, {On(0, 0), On(4, 0), On(4, 4)}},
       {{kPolygonType, P(0, 0), {{kCurveLine, {P(4, 0), P(4, 4)}}}}}},
      // (-3.25, 0.5) rounds away from zero; the last point lands on the previous one and goes.
      {"points lie on whole device units",
       {{On(10.7, 20.2), On(-3.25, 0.5), On(0.4, -0.4), On(0.2, 0.3)}},
       {{kPolygonType, P(11, 20), {{kCurveLine, {P(-3, 1), P(0, 0)}}}}}},
      // Between (5, 10) and (10, 10) the implied point would be (7.5, 10); between (10, 10) and
      // (20, 0) it is (15, 5), on the grid.
      {"a midpoint off the grid becomes an explicit end",
       {{On(0, 0), Conic(5, 10), Conic(10, 10), Conic(20, 0), On(20, -10)}},
       {{kPolygonType,
         P(0, 0),
         {{kCurveQSpline, {P(5, 10), P(8, 10)}},
          {kCurveQSpline, {P(10, 10), P(20, 0), P(20, -10)}}}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Build(c.contours), c.expected);
  }
}

TEST(BuildNativeOutline, CubicBecomesQuadraticsWithinTolerance) {
  const std::vector<OutlinePolygon> polygons =
      Build({{On(0, 0), Cubic(0, 300), Cubic(400, 300), On(400, 0)}}, 0.5);
  ASSERT_EQ(polygons.size(), 1u);
  ASSERT_GT(polygons[0].curves.size(), 1u);
  for (const OutlineCurve& curve : polygons[0].curves) {
    EXPECT_EQ(curve.type, kCurveQSpline);
    EXPECT_EQ(curve.points.size(), 2u);
  }
  EXPECT_EQ(polygons[0].curves.back().points.back(), P(400, 0));
  // Every point of the cubic lies within the tolerance, plus at most half a unit each way for
  // the grid, plus a little for the sampling.
  const std::vector<SampledPoint> samples = SamplePolygon(polygons[0], 400);
  double farthest = 0;
  for (int k = 0; k <= 200; ++k) {
    const double t = k / 200.0, u = 1 - t;
    const double x = 3 * u * t * t * 400 + t * t * t * 400;
    const double y = 3 * u * u * t * 300 + 3 * u * t * t * 300;
    double nearest = std::numeric_limits<double>::infinity();
    for (const SampledPoint& s : samples) nearest = std::min(nearest, std::hypot(s.x - x, s.y - y));
    farthest = std::max(farthest, nearest);
  }
  EXPECT_LE(farthest, 0.5 + std::sqrt(0.5) + 0.05);

  // Within a loose tolerance one quadratic: (3 (c1 + c2) - p0 - p3) / 4.
  const std::vector<OutlinePolygon> loose =
      Build({{On(0, 0), Cubic(0, 100), Cubic(100, 100), On(100, 0)}}, 1000);
  ASSERT_EQ(loose.size(), 1u);
  EXPECT_EQ(loose[0].curves, (std::vector<OutlineCurve>{{kCurveQSpline, {P(50, 150), P(100, 0)}}}));
  // A cubic back to the start ends exactly there.
  const std::vector<OutlinePolygon> back =
      Build({{On(0, 0), On(100, 0), Cubic(100, 100), Cubic(0, 100)}});
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].curves.front(), (OutlineCurve{kCurveLine, {P(100, 0)}}));
  EXPECT_EQ(back[0].curves.back().points.back(), P(0, 0));
  // A huge cubic splits a bounded number of times.
  const std::vector<OutlinePolygon> huge =
      Build({{On(0, 0), Cubic(0, 1e7), Cubic(-1e7, -1e7), On(1e7, 0)}}, 1e-9);
  ASSERT_EQ(huge.size(), 1u);
  EXPECT_LE(huge[0].curves.size(), 256u);
}

std::shared_ptr<const CKV_GlyphSource> Open(const std::string& face, int32_t weight = 0,
                                            uint8_t italic = 0, int32_t height = 1024) {
  FontRequest request;
  request.lfHeight = height;
  request.lfWeight = weight;
  request.lfItalic = italic;
  request.SetFaceName(face);
  return CKV_SystemFontService().CreateFont(request);
}

// A big-endian 16-bit field of one table, read straight from the font file.
int SfntField16(const char* file, const char* tag, size_t at) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  const auto U16 = [&bytes](size_t i) {
    return i + 2 > bytes.size()
               ? 0
               : static_cast<uint8_t>(bytes[i]) << 8 | static_cast<uint8_t>(bytes[i + 1]);
  };
  for (int i = 0; i < U16(4); ++i) {
    const size_t entry = 12 + 16 * i;
    if (bytes.size() >= entry + 16 && std::equal(tag, tag + 4, bytes.begin() + entry)) {
      return U16((static_cast<size_t>(U16(entry + 8)) << 16 | U16(entry + 10)) + at);
    }
  }
  return 0;
}

TEST(SystemFonts, CellHeightOfLiberationSansIsItsWindowsAscentPlusDescent) {
  const char* file = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
  const double winAscent = SfntField16(file, "OS/2", 74),
               winDescent = SfntField16(file, "OS/2", 76);
  ASSERT_GT(winAscent + winDescent, 0);
  const double scale = 1024 / (winAscent + winDescent);
  const auto font = Open("Liberation Sans");
  ASSERT_NE(font, nullptr);
  const TextMetrics metrics = font->GetTextMetrics();
  EXPECT_EQ(metrics.height, 1024);
  EXPECT_EQ(metrics.ascent + metrics.descent, 1024);
  EXPECT_EQ(metrics.ascent, std::lround(winAscent * scale));
  EXPECT_EQ(metrics.internalLeading,
            1024 - std::lround(SfntField16(file, "head", 18) * scale));  // units per em
  EXPECT_GE(metrics.externalLeading, 0);

  // A negative height is the em height.
  const auto em = Open("Liberation Sans", 0, 0, -1024);
  ASSERT_NE(em, nullptr);
  EXPECT_NEAR(em->GetTextMetrics().height - em->GetTextMetrics().internalLeading, 1024, 1);
  EXPECT_GT(em->GetTextMetrics().height, 1024);
}

TEST(SystemFonts, PicksTheFaceTheWindowsMapperWould) {
  const struct {
    const char* request;
    int32_t weight;
    uint8_t italic;
    const char* face;
    int32_t expectedWeight;
  } cases[] = {
      {"Liberation Sans", 0, 0, "Liberation Sans", 400},
      {"Liberation Sans", 700, 0, "Liberation Sans", 700},
      {"Liberation Sans", 400, 1, "Liberation Sans", 400},
      {"Liberation Serif", 700, 1, "Liberation Serif", 700},
      {"DejaVu Sans", 700, 1, "DejaVu Sans", 700},
      {"Arial", 0, 0, "Liberation Sans", 400},
      {"arial", 700, 1, "Liberation Sans", 700},
      {"Times New Roman", 400, 0, "Liberation Serif", 400},
      {"Courier New", 700, 0, "Liberation Mono", 700},
      {"Zarn Face That Is Not Installed", 0, 0, "DejaVu Sans", 400},
      {"Zarn Face That Is Not Installed", 700, 0, "DejaVu Sans", 700},
      {"", 0, 0, "DejaVu Sans", 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.request) + " weight " + std::to_string(c.weight) + " italic " +
                 std::to_string(c.italic));
    const auto font = Open(c.request, c.weight, c.italic);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetFaceName(), c.face);
    EXPECT_EQ(font->GetTextMetrics().weight, c.expectedWeight);
    EXPECT_EQ(font->GetTextMetrics().italic, c.italic);
  }
  // The bold face is really drawn bold.
  EXPECT_GT(Open("Liberation Sans", 700)->GetAbcWidths('l').b,
            Open("Liberation Sans", 400)->GetAbcWidths('l').b);
}

// Every printable character: well-formed closed contours that stay inside the reported ink
// box and reach its edges, wound as TrueType winds outer contours, and widths that agree.
TEST(SystemFonts, PrintableGlyphsAreClosedAndInsideTheirBox) {
  for (const char* face : {"Liberation Sans", "DejaVu Sans"}) {
    const auto font = Open(face);
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->GetFaceName(), face);
    for (int code = 0; code < 256; ++code) {
      if (!IsPrintableWindows1252(code)) continue;
      SCOPED_TRACE(std::string(face) + " code " + std::to_string(code));
      GlyphOutline outline;
      ASSERT_TRUE(font->GetGlyphOutline(code, outline));
      const GlyphMetrics& m = outline.metrics;
      const AbcWidths widths = font->GetAbcWidths(code);
      EXPECT_EQ(widths.a, m.originX);
      EXPECT_EQ(widths.b, static_cast<int32_t>(m.blackBoxX));
      EXPECT_EQ(widths.a + widths.b + widths.c, m.cellIncX);
      EXPECT_GT(m.cellIncX, 0);
      if (code == 0x20 || code == 0xA0) {
        EXPECT_TRUE(outline.polygons.empty());
        continue;
      }
      ASSERT_FALSE(outline.polygons.empty());
      const double left = m.originX, right = left + m.blackBoxX;
      const double top = m.originY, bottom = top - m.blackBoxY;
      double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9, twiceArea = 0;
      for (const OutlinePolygon& polygon : outline.polygons) {
        EXPECT_EQ(polygon.type, kPolygonType);
        ASSERT_FALSE(polygon.curves.empty());
        for (const OutlineCurve& curve : polygon.curves) {
          ASSERT_TRUE(curve.type == kCurveLine || curve.type == kCurveQSpline);
          EXPECT_GE(curve.points.size(), curve.type == kCurveLine ? 1u : 2u);
        }
        const std::vector<SampledPoint> line = SamplePolygon(polygon, 16);
        for (size_t i = 0; i < line.size(); ++i) {
          minX = std::min(minX, line[i].x);
          maxX = std::max(maxX, line[i].x);
          minY = std::min(minY, line[i].y);
          maxY = std::max(maxY, line[i].y);
          if (i + 1 < line.size())
            twiceArea += line[i].x * line[i + 1].y - line[i + 1].x * line[i].y;
        }
      }
      EXPECT_GE(minX, left);
      EXPECT_LE(maxX, right);
      EXPECT_GE(minY, bottom);
      EXPECT_LE(maxY, top);
      // Sampled curves fall a little short of their true extremes.
      EXPECT_LT(minX - left, 1.5);
      EXPECT_LT(right - maxX, 1.5);
      EXPECT_LT(minY - bottom, 1.5);
      EXPECT_LT(top - maxY, 1.5);
      EXPECT_LT(twiceArea, 0) << "outer contours run clockwise";
    }
  }
}

TEST(SystemFonts, MissingCharacterGivesTheMissingGlyph) {
  const auto font = Open("Liberation Sans");
  ASSERT_NE(font, nullptr);
  // U+0081, U+008D and U+0001 are not in the font.
  GlyphOutline missing, other, letter;
  ASSERT_TRUE(font->GetGlyphOutline(0x81, missing));
  for (const uint8_t code : {0x8D, 0x01}) {
    ASSERT_TRUE(font->GetGlyphOutline(code, other));
    EXPECT_EQ(other.polygons, missing.polygons) << "code " << int(code);
    const AbcWidths a = font->GetAbcWidths(code), b = font->GetAbcWidths(0x81);
    EXPECT_EQ(std::tie(a.a, a.b, a.c), std::tie(b.a, b.b, b.c));
  }
  // The missing glyph of Liberation Sans is an empty box: two contours of straight edges.
  ASSERT_EQ(missing.polygons.size(), 2u);
  for (const OutlinePolygon& polygon : missing.polygons) {
    for (const OutlineCurve& curve : polygon.curves) EXPECT_EQ(curve.type, kCurveLine);
  }
  ASSERT_TRUE(font->GetGlyphOutline('A', letter));
  EXPECT_NE(letter.polygons, missing.polygons);
}

TEST(SystemFonts, KerningOfLiberationSansHoldsAVInItsUnits) {
  const auto font = Open("Liberation Sans");
  const auto twice = Open("Liberation Sans", 0, 0, 2048);
  ASSERT_NE(font, nullptr);
  ASSERT_NE(twice, nullptr);
  const auto AV = [](const std::vector<KerningAdjustment>& pairs) {
    const auto found = std::find_if(pairs.begin(), pairs.end(), [](const KerningAdjustment& p) {
      return p.first == 'A' && p.second == 'V';
    });
    return found == pairs.end() ? 0 : found->amount;
  };
  const std::vector<KerningAdjustment> pairs = font->GetKerningPairs();
  EXPECT_LT(AV(pairs), 0);
  EXPECT_NEAR(AV(twice->GetKerningPairs()), 2 * AV(pairs), 1);
  EXPECT_TRUE(std::is_sorted(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
    return std::tie(a.first, a.second) < std::tie(b.first, b.second);
  }));
  for (const KerningAdjustment& pair : pairs) {
    EXPECT_TRUE(IsPrintableWindows1252(pair.first) && IsPrintableWindows1252(pair.second));
    EXPECT_NE(pair.amount, 0);
  }
}

TEST(SystemFonts, FacesAreCachedByWhatShapesTheGlyphsAndTheLeastRecentGoesFirst) {
  CKV_SystemFontService::ClearCache();
  CKV_SystemFontService service;
  FontRequest request;
  request.lfHeight = 1024;
  request.SetFaceName("Liberation Serif");
  const auto first = service.CreateFont(request);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CKV_SystemFontService::CachedFaceCount(), 1u);
  FontRequest underlined = request;
  underlined.lfUnderline = 1;
  EXPECT_EQ(service.CreateFont(underlined), first);
  FontRequest bold = request;
  bold.lfWeight = kWeightBold;
  const auto boldFont = service.CreateFont(bold);
  EXPECT_NE(boldFont, first);
  EXPECT_EQ(CKV_SystemFontService::CachedFaceCount(), 2u);
  EXPECT_EQ(service.CreateFont(request), first);

  // Sixteen faces at most: using the first again keeps it, so the bold one goes.
  FontRequest other = request;
  for (int32_t height = 1025; height < 1039; ++height) {
    other.lfHeight = height;
    ASSERT_NE(service.CreateFont(other), nullptr);
  }
  EXPECT_EQ(CKV_SystemFontService::CachedFaceCount(), 16u);
  EXPECT_EQ(service.CreateFont(request), first);
  other.lfHeight = 2000;
  ASSERT_NE(service.CreateFont(other), nullptr);
  EXPECT_EQ(CKV_SystemFontService::CachedFaceCount(), 16u);
  EXPECT_EQ(service.CreateFont(request), first);
  EXPECT_NE(service.CreateFont(bold), boldFont);
  CKV_SystemFontService::ClearCache();
}

}  // namespace
}  // namespace glyphs
