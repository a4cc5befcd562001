#include "glyphs/system_font_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "glyphs/windows1252.h"
#include "outline_sampling.h"

namespace glyphs {
namespace {

constexpr const char* kLiberationSansFile =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

std::shared_ptr<const CKV_GlyphSource> Open(const std::string& face, int32_t weight = 0,
                                            uint8_t italic = 0, int32_t height = 1024) {
  FontRequest request;
  request.lfHeight = height;
  request.lfWeight = weight;
  request.lfItalic = italic;
  request.SetFaceName(face);
  return CKV_SystemFontService().CreateFont(request);
}

// Reads the big-endian fields of one table straight from the font file.
class SfntTable {
 public:
  SfntTable(const char* file, const char* tag) {
    std::ifstream in(file, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(in), {});
    const int tables = U16(4);
    for (int i = 0; i < tables; ++i) {
      const size_t entry = 12 + 16 * i;
      if (bytes_.size() >= entry + 16 && std::equal(tag, tag + 4, bytes_.begin() + entry)) {
        offset_ = U32(entry + 8);
      }
    }
  }
  int Field16(size_t at) const { return U16(offset_ + at); }

 private:
  int U16(size_t at) const {
    if (at + 2 > bytes_.size()) return 0;
    return static_cast<uint8_t>(bytes_[at]) << 8 | static_cast<uint8_t>(bytes_[at + 1]);
  }
  size_t U32(size_t at) const { return static_cast<size_t>(U16(at)) << 16 | U16(at + 2); }

  std::vector<char> bytes_;
  size_t offset_ = 0;
};

TEST(SystemFonts, CellHeightOfLiberationSansIsItsWindowsAscentPlusDescent) {
  const SfntTable os2(kLiberationSansFile, "OS/2");
  const SfntTable head(kLiberationSansFile, "head");
  const double winAscent = os2.Field16(74), winDescent = os2.Field16(76);
  const double unitsPerEm = head.Field16(18);
  ASSERT_GT(winAscent + winDescent, 0);
  const double scale = 1024 / (winAscent + winDescent);

  const auto font = Open("Liberation Sans");
  ASSERT_NE(font, nullptr);
  const TextMetrics metrics = font->GetTextMetrics();
  EXPECT_EQ(metrics.height, 1024);
  EXPECT_EQ(metrics.ascent + metrics.descent, 1024);
  EXPECT_EQ(metrics.ascent, std::lround(winAscent * scale));
  EXPECT_EQ(metrics.internalLeading, 1024 - std::lround(unitsPerEm * scale));
  EXPECT_GE(metrics.externalLeading, 0);
}

TEST(SystemFonts, NegativeHeightIsTheEmHeight) {
  const auto font = Open("Liberation Sans", 0, 0, -1024);
  ASSERT_NE(font, nullptr);
  const TextMetrics metrics = font->GetTextMetrics();
  EXPECT_NEAR(metrics.height - metrics.internalLeading, 1024, 1);
  EXPECT_GT(metrics.height, 1024);
}

struct FaceCase {
  const char* request;
  int32_t weight;
  uint8_t italic;
  const char* face;
  int32_t expectedWeight;
  uint8_t expectedItalic;
};

TEST(SystemFonts, PicksTheFaceTheWindowsMapperWould) {
  const FaceCase cases[] = {
      {"Liberation Sans", 0, 0, "Liberation Sans", 400, 0},
      {"Liberation Sans", 700, 0, "Liberation Sans", 700, 0},
      {"Liberation Sans", 400, 1, "Liberation Sans", 400, 1},
      {"Liberation Serif", 700, 1, "Liberation Serif", 700, 1},
      {"DejaVu Sans", 700, 1, "DejaVu Sans", 700, 1},
      {"Arial", 0, 0, "Liberation Sans", 400, 0},
      {"arial", 700, 1, "Liberation Sans", 700, 1},
      {"Times New Roman", 400, 0, "Liberation Serif", 400, 0},
      {"Courier New", 700, 0, "Liberation Mono", 700, 0},
      {"Zarn Face That Is Not Installed", 0, 0, "DejaVu Sans", 400, 0},
      {"Zarn Face That Is Not Installed", 700, 0, "DejaVu Sans", 700, 0},
      {"", 0, 0, "DejaVu Sans", 400, 0},
  };
  for (const FaceCase& c : cases) {
    SCOPED_TRACE(std::string(c.request) + " weight " + std::to_string(c.weight) + " italic " +
                 std::to_string(c.italic));
    const auto font = Open(c.request, c.weight, c.italic);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetFaceName(), c.face);
    EXPECT_EQ(font->GetTextMetrics().weight, c.expectedWeight);
    EXPECT_EQ(font->GetTextMetrics().italic, c.expectedItalic);
  }
}

TEST(SystemFonts, ArialHasTheMeasuresOfLiberationSans) {
  const auto arial = Open("Arial");
  const auto liberation = Open("Liberation Sans");
  ASSERT_NE(arial, nullptr);
  ASSERT_NE(liberation, nullptr);
  EXPECT_EQ(arial->GetTextMetrics().ascent, liberation->GetTextMetrics().ascent);
  for (const uint8_t code : {uint8_t{'A'}, uint8_t{'W'}, uint8_t{'i'}, uint8_t{0xE9}}) {
    const AbcWidths a = arial->GetAbcWidths(code), b = liberation->GetAbcWidths(code);
    EXPECT_EQ(a.a + a.b + a.c, b.a + b.b + b.c) << "code " << int(code);
  }
}

TEST(SystemFonts, BoldGlyphsCarryMoreInk) {
  const auto regular = Open("Liberation Sans", 400);
  const auto bold = Open("Liberation Sans", 700);
  ASSERT_NE(regular, nullptr);
  ASSERT_NE(bold, nullptr);
  EXPECT_GT(bold->GetAbcWidths('l').b, regular->GetAbcWidths('l').b);
}

// Every printable character: well-formed closed contours that stay inside the reported ink
// box and reach its edges, wound as TrueType winds outer contours, and widths that agree.
void CheckPrintableGlyphs(const CKV_GlyphSource& font) {
  for (int code = 0; code < 256; ++code) {
    if (!IsPrintableWindows1252(code)) continue;
    SCOPED_TRACE("code " + std::to_string(code));
    GlyphOutline outline;
    ASSERT_TRUE(font.GetGlyphOutline(code, outline));
    const GlyphMetrics& m = outline.metrics;
    const AbcWidths widths = font.GetAbcWidths(code);
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
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9, area = 0;
    for (const OutlinePolygon& polygon : outline.polygons) {
      EXPECT_EQ(polygon.type, kPolygonType);
      ASSERT_FALSE(polygon.curves.empty());
      for (const OutlineCurve& curve : polygon.curves) {
        ASSERT_TRUE(curve.type == kCurveLine || curve.type == kCurveQSpline);
        EXPECT_GE(curve.points.size(), curve.type == kCurveLine ? 1u : 2u);
      }
      const std::vector<SampledPoint> polyline = SamplePolygon(polygon, 16);
      ASSERT_EQ(polyline.front().x, polyline.back().x);
      ASSERT_EQ(polyline.front().y, polyline.back().y);
      for (const SampledPoint& p : polyline) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
      }
      area += SignedArea(polyline);
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
    EXPECT_LT(area, 0) << "outer contours run clockwise";
  }
}

TEST(SystemFonts, PrintableGlyphsOfLiberationSansAreClosedAndInsideTheirBox) {
  const auto font = Open("Liberation Sans");
  ASSERT_NE(font, nullptr);
  CheckPrintableGlyphs(*font);
}

TEST(SystemFonts, PrintableGlyphsOfDejaVuSansAreClosedAndInsideTheirBox) {
  const auto font = Open("DejaVu Sans");
  ASSERT_NE(font, nullptr);
  ASSERT_EQ(font->GetFaceName(), "DejaVu Sans");
  CheckPrintableGlyphs(*font);
}

TEST(SystemFonts, MissingCharacterGivesTheMissingGlyph) {
  const auto font = Open("Liberation Sans");
  ASSERT_NE(font, nullptr);
  // U+0081, U+008D and U+0001 are not in the font.
  GlyphOutline missing, other, letter;
  ASSERT_TRUE(font->GetGlyphOutline(0x81, missing));
  ASSERT_FALSE(missing.polygons.empty());
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

const KerningAdjustment* FindPair(const std::vector<KerningAdjustment>& pairs, uint8_t first,
                                  uint8_t second) {
  const auto found = std::find_if(pairs.begin(), pairs.end(), [&](const KerningAdjustment& p) {
    return p.first == first && p.second == second;
  });
  return found == pairs.end() ? nullptr : &*found;
}

TEST(SystemFonts, KerningOfLiberationSansHoldsAVInItsUnits) {
  const auto font = Open("Liberation Sans");
  const auto twice = Open("Liberation Sans", 0, 0, 2048);
  ASSERT_NE(font, nullptr);
  ASSERT_NE(twice, nullptr);
  const std::vector<KerningAdjustment> pairs = font->GetKerningPairs();
  const KerningAdjustment* av = FindPair(pairs, 'A', 'V');
  ASSERT_NE(av, nullptr);
  EXPECT_LT(av->amount, 0);
  const std::vector<KerningAdjustment> pairsTwice = twice->GetKerningPairs();
  const KerningAdjustment* avTwice = FindPair(pairsTwice, 'A', 'V');
  ASSERT_NE(avTwice, nullptr);
  EXPECT_NEAR(avTwice->amount, 2 * av->amount, 1);

  EXPECT_TRUE(std::is_sorted(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
    return std::tie(a.first, a.second) < std::tie(b.first, b.second);
  }));
  for (const KerningAdjustment& pair : pairs) {
    EXPECT_TRUE(IsPrintableWindows1252(pair.first) && IsPrintableWindows1252(pair.second));
    EXPECT_NE(pair.amount, 0);
  }
}

TEST(SystemFonts, FacesAreCachedByWhatShapesTheGlyphs) {
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
}

}  // namespace
}  // namespace glyphs
