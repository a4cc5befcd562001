#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "glyphs/system_font_service.h"
#include "glyphs/truetype_helper.h"
#include "glyphs/windows1252.h"
#include "outline_sampling.h"
#include "swftk/shape.h"

namespace glyphs {
namespace {

using swftk::CSwfCurvedEdgeShapeRecord;
using swftk::CSwfShapeRecord;
using swftk::CSwfStraightEdgeShapeRecord;
using swftk::CSwfStyleChangeShapeRecord;

struct Segment {
  SampledPoint from;
  SampledPoint to;
};

// The cell of a 1024 font, Y upwards, drawn at 256 pixels of 4 by 4 samples each: a sample
// per design unit.
constexpr int kPixels = 256;
constexpr int kSamples = 4;
constexpr double kUnitsPerSample = 1;
constexpr double kLeft = -100;
constexpr double kTop = 900;

// How many samples of each pixel lie inside the edges, by the even-odd rule. Edges that do not
// close leave stray spans, so a contour that fails to return to its start shows up.
std::vector<int> Rasterise(const std::vector<Segment>& segments) {
  constexpr int kRows = kPixels * kSamples;
  std::vector<int> coverage(kPixels * kPixels);
  std::vector<double> crossings;
  for (int row = 0; row < kRows; ++row) {
    const double y = kTop - (row + 0.5) * kUnitsPerSample;
    crossings.clear();
    for (const Segment& s : segments) {
      if ((s.from.y <= y) == (s.to.y <= y)) continue;
      crossings.push_back(s.from.x + (y - s.from.y) * (s.to.x - s.from.x) / (s.to.y - s.from.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (int column = 0; column < kRows; ++column) {
      const double x = kLeft + (column + 0.5) * kUnitsPerSample;
      const auto before = std::lower_bound(crossings.begin(), crossings.end(), x);
      if ((before - crossings.begin()) % 2 == 1) {
        ++coverage[(row / kSamples) * kPixels + column / kSamples];
      }
    }
  }
  return coverage;
}

// The outline's edges, shrunk by `scale`.
std::vector<Segment> OutlineSegments(const GlyphOutline& outline, double scale) {
  std::vector<Segment> segments;
  for (const OutlinePolygon& polygon : outline.polygons) {
    std::vector<SampledPoint> points = SamplePolygon(polygon, 16);
    for (SampledPoint& p : points) p = {p.x / scale, p.y / scale};
    for (size_t i = 0; i + 1 < points.size(); ++i) segments.push_back({points[i], points[i + 1]});
  }
  return segments;
}

// Walks the shape's records as a player would, turning SWF's downward Y back upwards.
std::vector<Segment> ShapeSegments(const swftk::CSwfShape& shape) {
  std::vector<Segment> segments;
  double x = 0, y = 0;
  const auto lineTo = [&](double toX, double toY) {
    segments.push_back({{x, -y}, {toX, -toY}});
    x = toX;
    y = toY;
  };
  for (const auto& record : shape.records) {
    switch (record->GetRecordType()) {
      case CSwfShapeRecord::kStyleChange: {
        const auto& r = static_cast<const CSwfStyleChangeShapeRecord&>(*record);
        if (r.flags & CSwfStyleChangeShapeRecord::kMoveTo) {
          x = r.moveDeltaX;
          y = r.moveDeltaY;
        }
        break;
      }
      case CSwfShapeRecord::kStraightEdge: {
        const auto& r = static_cast<const CSwfStraightEdgeShapeRecord&>(*record);
        lineTo(x + r.deltaX, y + r.deltaY);
        break;
      }
      case CSwfShapeRecord::kCurvedEdge: {
        const auto& r = static_cast<const CSwfCurvedEdgeShapeRecord&>(*record);
        const double x0 = x, y0 = y;
        const double cx = x0 + r.controlDeltaX, cy = y0 + r.controlDeltaY;
        const double ax = cx + r.anchorDeltaX, ay = cy + r.anchorDeltaY;
        for (int k = 1; k <= 16; ++k) {
          const double t = k / 16.0, u = 1 - t;
          lineTo(u * u * x0 + 2 * u * t * cx + t * t * ax,
                 u * u * y0 + 2 * u * t * cy + t * t * ay);
        }
        break;
      }
      default:
        break;
    }
  }
  return segments;
}

// Coverage both share over the coverage of either.
double Overlap(const std::vector<int>& a, const std::vector<int>& b) {
  long both = 0, either = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    both += std::min(a[i], b[i]);
    either += std::max(a[i], b[i]);
  }
  return either == 0 ? 1.0 : static_cast<double>(both) / either;
}

FontRequest Request(const char* face, int32_t height) {
  FontRequest request;
  request.lfHeight = height;
  request.SetFaceName(face);
  return request;
}

// Each glyph shape of a DefineFont2, drawn back, against the font's outline at eight times the
// size, shrunk: nearly the exact outline, not the whole-unit one the shapes are made from.
void CheckDrawnBack(const char* face) {
  constexpr int kFine = 8;
  CKV_SystemFontService fonts;
  const auto fine = fonts.CreateFont(Request(face, 1024 * kFine));
  ASSERT_NE(fine, nullptr);
  std::string characters;
  for (int code = 0x21; code < 256; ++code) {
    if (IsPrintableWindows1252(code)) characters.push_back(static_cast<char>(code));
  }
  CSwfTrueTypeHelper helper;
  const auto tag = helper.BuildDefineFont2(fonts, Request(face, 1024), characters, 1);
  ASSERT_NE(tag, nullptr);
  ASSERT_EQ(tag->glyphs.size(), characters.size());
  double worst = 1;
  for (size_t i = 0; i < characters.size(); ++i) {
    const auto code = static_cast<uint8_t>(characters[i]);
    GlyphOutline outline;
    ASSERT_TRUE(fine->GetGlyphOutline(code, outline));
    const double overlap = Overlap(Rasterise(ShapeSegments(*tag->glyphs[i])),
                                   Rasterise(OutlineSegments(outline, kFine)));
    worst = std::min(worst, overlap);
    EXPECT_GE(overlap, 0.98) << face << " code " << int(code);
  }
  std::printf("%s: worst overlap %.4f\n", face, worst);
}

TEST(GlyphShapesDrawnBack, LiberationSansCoversTheOutlinePixels) {
  CheckDrawnBack("Liberation Sans");
}

TEST(GlyphShapesDrawnBack, DejaVuSansCoversTheOutlinePixels) {
  CheckDrawnBack("DejaVu Sans");
}

}  // namespace
}  // namespace glyphs
