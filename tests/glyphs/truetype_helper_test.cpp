#include "glyphs/truetype_helper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_font_service.h"
#include "glyphs/outline_builder.h"
#include "swftk/shape.h"
#include "swftk/stream.h"

namespace glyphs {
namespace {

using swftk::CSwfCurvedEdgeShapeRecord;
using swftk::CSwfShapeRecord;
using swftk::CSwfStraightEdgeShapeRecord;
using swftk::CSwfStyleChangeShapeRecord;

OutlinePoint Fx(double x, double y) {
  return {ToFixed16(x), ToFixed16(y)};
}

OutlineCurve Lines(std::vector<OutlinePoint> points) {
  return {kCurveLine, std::move(points)};
}
OutlineCurve Spline(std::vector<OutlinePoint> points) {
  return {kCurveQSpline, std::move(points)};
}

GlyphOutline Outline(std::vector<OutlinePolygon> polygons, GlyphMetrics metrics = {}) {
  return {metrics, std::move(polygons)};
}

// One line per record: its kind and the values it will write.
std::vector<std::string> Describe(const std::vector<std::unique_ptr<CSwfShapeRecord>>& records) {
  const auto xy = [](int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); };
  std::vector<std::string> lines;
  for (const auto& record : records) {
    if (const auto* r = dynamic_cast<const CSwfStyleChangeShapeRecord*>(record.get())) {
      lines.push_back("move " + xy(r->moveDeltaX, r->moveDeltaY) + " flags " +
                      std::to_string(r->flags) + " fill0 " + std::to_string(r->fillStyle0) +
                      " fill1 " + std::to_string(r->fillStyle1) + " line " +
                      std::to_string(r->lineStyle));
    } else if (const auto* r = dynamic_cast<const CSwfStraightEdgeShapeRecord*>(record.get())) {
      // Indexed by the line kind: general, horizontal, vertical.
      lines.push_back(std::string(1, "ghv"[r->lineKind]) + " " + xy(r->deltaX, r->deltaY));
    } else if (const auto* r = dynamic_cast<const CSwfCurvedEdgeShapeRecord*>(record.get())) {
      lines.push_back("c " + xy(r->controlDeltaX, r->controlDeltaY) + " " +
                      xy(r->anchorDeltaX, r->anchorDeltaY));
    } else {
      lines.push_back("end");
    }
  }
  return lines;
}

// Move, fill style 1 and line style set: 0b01101.
const std::string kMoveFlags = " flags 13 fill0 0 fill1 1 line 1";

struct ExtractResult {
  std::vector<std::string> records;
  swftk::CSwfRect bounds;
  std::vector<std::string> messages;
};

ExtractResult Extract(const FakeFont& font, uint8_t code) {
  FakeFontLog log;
  FakeGlyphSource source(font, log);
  ExtractResult result;
  CSwfTrueTypeHelper helper(
      [&](std::string_view caption, std::string_view text, std::string_view detail) {
        result.messages.push_back(std::string(caption) + "|" + std::string(text) + "|" +
                                  std::string(detail));
      });
  float scale = 0;
  TextMetrics metrics;
  helper.ExtractGlyph(source, code, result.bounds, scale, metrics, false);
  result.records = Describe(helper.stagedRecords);
  return result;
}

std::vector<std::string> RecordsOf(std::vector<OutlinePolygon> polygons) {
  FakeFont font;
  font.outlines['x'] = Outline(std::move(polygons));
  return Extract(font, 'x').records;
}

// A(10, 20), B(110, 20), C(110, 220): a horizontal, a vertical and a general edge.
const OutlinePolygon kTriangle{kPolygonType, Fx(10, 20), {Lines({Fx(110, 20), Fx(110, 220)})}};

struct ConversionCase {
  const char* name;
  std::vector<OutlinePolygon> polygons;
  std::vector<std::string> records;
};

TEST(ExtractGlyph, ConvertsOutlinesToShapeRecords) {
  const ConversionCase cases[] = {
      {"triangle: edges A-B and B-C, then the closing edge C-A",
       {kTriangle},
       {"move 10,-20" + kMoveFlags, "h 100,0", "v 0,-200", "g -100,200", "end"}},
      {"last point on the start: the closing edge has zero length and is vertical",
       {{kPolygonType, Fx(10, 20), {Lines({Fx(110, 20), Fx(110, 220), Fx(10, 20)})}}},
       {"move 10,-20" + kMoveFlags, "h 100,0", "v 0,-200", "g -100,200", "v 0,0", "end"}},
      {"spline of three points: two curves through the midpoint of the first two",
       {{kPolygonType, Fx(0, 0), {Spline({Fx(10, 30), Fx(30, 30), Fx(40, 0)})}}},
       {"move 0,0" + kMoveFlags, "c 10,-30 10,0", "c 10,0 10,30", "h -40,0", "end"}},
      {"start at (10.7, 20.2) moves to (10, -20)",
       {{kPolygonType, Fx(10.7, 20.2), {Lines({Fx(20.7, 20.2)})}}},
       {"move 10,-20" + kMoveFlags, "h 10,0", "h -10,0", "end"}},
      {"negative start truncates towards zero",
       {{kPolygonType, Fx(-10.7, -20.2), {Lines({Fx(-10.7, 0)})}}},
       {"move -10,20" + kMoveFlags, "v 0,-20", "v 0,20", "end"}},
      {"deltas come from the exact points, the closing edge from the pen",
       {{kPolygonType, Fx(0, 0), {Lines({Fx(10.6, 0), Fx(21.2, 0)})}}},
       {"move 0,0" + kMoveFlags, "h 10,0", "h 10,0", "h -20,0", "end"}},
      {"a polygon of another type is skipped whole",
       {{25, Fx(500, 500), {Lines({Fx(600, 500)})}}, kTriangle},
       {"move 10,-20" + kMoveFlags, "h 100,0", "v 0,-200", "g -100,200", "end"}},
      {"a record of another type is skipped; the next one goes on from the last point",
       {{kPolygonType, Fx(0, 0), {Lines({Fx(10, 0)}), {3, {Fx(500, 500)}}, Lines({Fx(10, 10)})}}},
       {"move 0,0" + kMoveFlags, "h 10,0", "v 0,-10", "g -10,10", "end"}},
      {"a later contour that starts at the origin still moves there",
       {kTriangle, {kPolygonType, Fx(0, 0), {Lines({Fx(10, 0)})}}},
       {"move 10,-20" + kMoveFlags, "h 100,0", "v 0,-200", "g -100,200", "move 0,0" + kMoveFlags,
        "h 10,0", "h -10,0", "end"}},
      {"an empty outline is the end record alone", {}, {"end"}},
  };
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RecordsOf(c.polygons), c.records);
  }
}

// The bounds of a box as {xMin, xMax, yMin, yMax}.
std::vector<int32_t> Box(const swftk::CSwfRect& r) {
  return {r.xMin, r.xMax, r.yMin, r.yMax};
}

TEST(ExtractGlyph, BoundsComeFromTheGlyphMetrics) {
  FakeFont font;
  GlyphMetrics metrics;
  metrics.originX = 5;
  metrics.originY = 700;
  metrics.blackBoxX = 300;
  metrics.blackBoxY = 710;
  font.outlines['a'] = Outline({kTriangle}, metrics);
  EXPECT_EQ(Box(Extract(font, 'a').bounds), (std::vector<int32_t>{5, 305, -700, 10}));
  // An origin whose coordinates add up to zero gives empty bounds, whatever the box.
  metrics.originX = -5;
  metrics.originY = 5;
  font.outlines['b'] = Outline({kTriangle}, metrics);
  EXPECT_EQ(Box(Extract(font, 'b').bounds), (std::vector<int32_t>{0, 0, 0, 0}));
  // An unreadable outline is reported and stages nothing.
  font.unreadable.insert('q');
  const ExtractResult result = Extract(font, 'q');
  EXPECT_TRUE(result.records.empty());
  EXPECT_EQ(result.messages, std::vector<std::string>{"Error|Couldn't get GlyphOutline|"});
}

TEST(ExtractGlyph, ReturnsScaleOneAndTheFontMetricsAndStagesKerningOnRequest) {
  FakeFont font;
  font.metrics.ascent = 830;
  font.unreadable.insert('q');
  font.outlines['T'] = Outline({kTriangle});
  font.kerning = {{'V', 'A', -5}, {'A', 'V', -7}};
  FakeFontLog log;
  FakeGlyphSource source(font, log);
  CSwfTrueTypeHelper helper;
  swftk::CSwfRect bounds;
  float scale = 0;
  TextMetrics metrics;
  helper.ExtractGlyph(source, 'q', bounds, scale, metrics, true);
  EXPECT_EQ(scale, 1.0f);
  EXPECT_EQ(metrics.ascent, 830);
  // Kerning is fetched even when the outline could not be read, in the font's order.
  ASSERT_EQ(helper.kerningPairs.size(), 2u);
  EXPECT_EQ(helper.kerningPairs[0].first, 'V');
  EXPECT_EQ(helper.kerningPairs[1].adjustment, -7);
  helper.ExtractGlyph(source, 'T', bounds, scale, metrics, false);
  EXPECT_EQ(log.kerningFetches, 1);
  EXPECT_EQ(helper.kerningPairs.size(), 2u);
  ASSERT_FALSE(helper.stagedRecords.empty());
  helper.ResetStaging();
  EXPECT_TRUE(helper.stagedRecords.empty());
  EXPECT_TRUE(helper.kerningPairs.empty());
}

// Packs a bit string (spaces and bars only group fields) into bytes, the last one padded.
std::vector<uint8_t> Bits(const std::string& text) {
  std::vector<uint8_t> bytes;
  int count = 0;
  for (const char c : text) {
    if (c != '0' && c != '1') continue;
    if (count % 8 == 0) bytes.push_back(0);
    if (c == '1') bytes.back() |= static_cast<uint8_t>(0x80 >> (count % 8));
    ++count;
  }
  return bytes;
}

std::vector<uint8_t> Encode(const swftk::CSwfShape& shape) {
  swftk::CSwfStream out;
  shape.Write(out);
  out.FlushBits();
  return out.GetBytes();
}

FakeFontService TriangleFont() {
  FakeFontService fonts;
  fonts.font.outlines['T'] = Outline({kTriangle});
  fonts.font.unreadable.insert('F');
  return fonts;
}

// The triangle's glyph as a shape: fill bits 1, line bits 0; a style change (move, fill
// style 1, line style 1 in no bits); the three edges; the end.
const std::vector<uint8_t> kTriangleGlyph = Bits(
    "0001 0000"
    "| 0 01101 | 00110 001010 101100 | 1"
    "| 1 1 0110 0 0 01100100"
    "| 1 1 0111 0 1 100111000"
    "| 1 1 0111 1 110011100 011001000"
    "| 0 00000");

TEST(BuildDefineFont, GlyphShapesAndOffsetTable) {
  FakeFontService fonts = TriangleFont();
  CSwfTrueTypeHelper helper;
  FontRequest request;
  request.SetFaceName("Fake Face");

  const auto single = helper.BuildDefineFont(fonts, request, "T", 7);
  ASSERT_NE(single, nullptr);
  EXPECT_EQ(single->characterId, 7);
  EXPECT_EQ(single->offsets, std::vector<uint16_t>{2});
  ASSERT_EQ(single->glyphs.size(), 1u);
  EXPECT_EQ(Encode(*single->glyphs[0]), kTriangleGlyph);

  // The empty outline of 'E' is a header byte and the end record; the unreadable 'F' is the
  // header byte alone.
  const auto three = helper.BuildDefineFont(fonts, request, "TEF", 1);
  ASSERT_NE(three, nullptr);
  const auto triangleSize = static_cast<uint16_t>(kTriangleGlyph.size());
  EXPECT_EQ(three->offsets,
            (std::vector<uint16_t>{6, uint16_t(6 + triangleSize), uint16_t(6 + triangleSize + 2)}));
  ASSERT_EQ(three->glyphs.size(), 3u);
  EXPECT_EQ(Encode(*three->glyphs[1]), (std::vector<uint8_t>{0x10, 0x00}));
  EXPECT_EQ(Encode(*three->glyphs[2]), (std::vector<uint8_t>{0x10}));
  EXPECT_EQ(fonts.log.kerningFetches, 0);
  EXPECT_EQ(fonts.log.live, 0) << "the font is deleted after the build";
}

// No tag without a font, nor when the glyphs pass the reach of 16-bit offsets.
TEST(BuildDefineFont, RefusesWhatItCannotWrite) {
  FakeFontService fonts;
  std::vector<OutlinePoint> zigzag;
  for (int i = 0; i < 30000; ++i) zigzag.push_back(Fx(i % 2 ? 3000 : -3000, i % 3 ? 3000 : -3000));
  fonts.font.outlines['Z'] = Outline({{kPolygonType, Fx(0, 0), {Lines(zigzag)}}});
  CSwfTrueTypeHelper helper;
  EXPECT_EQ(helper.BuildDefineFont(fonts, FontRequest{}, "ZZ", 1), nullptr);
  EXPECT_NE(helper.BuildDefineFont(fonts, FontRequest{}, "Z", 1), nullptr);
  fonts.refuse = true;
  EXPECT_EQ(helper.BuildDefineFont(fonts, FontRequest{}, "A", 1), nullptr);
  EXPECT_EQ(helper.BuildDefineFont2(fonts, FontRequest{}, "A", 1), nullptr);
}

TEST(BuildDefineFont2, FlagByteFollowsItalicByteAndWeight) {
  const struct {
    uint8_t italic;
    int32_t weight;
    uint8_t flags;
  } cases[] = {
      {1, 700, 0b1001'0011},  {0, 400, 0b1001'0000}, {1, 0, 0b1001'0010}, {0, 700, 0b1001'0001},
      {0, 1000, 0b1001'0001}, {2, 699, 0b1001'0000},  // only an italic byte of 1 counts
  };
  for (const auto& c : cases) {
    FakeFontService fonts;
    CSwfTrueTypeHelper helper;
    FontRequest request;
    request.lfItalic = c.italic;
    request.lfWeight = c.weight;
    const auto tag = helper.BuildDefineFont2(fonts, request, "A", 1);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->flags, c.flags) << "italic " << int(c.italic) << " weight " << c.weight;
  }
}

TEST(BuildDefineFont2, CodesAdvancesBoundsMetricsAndKerning) {
  FakeFontService fonts = TriangleFont();
  fonts.font.metrics = {1024, 830, 194, 107, 30, 400, 0};
  fonts.font.widths['T'] = {5, 600, 7};
  fonts.font.widths['E'] = {-3, 40, 0};
  GlyphMetrics metrics;
  metrics.originX = 10;
  metrics.originY = 220;
  metrics.blackBoxX = 100;
  metrics.blackBoxY = 200;
  fonts.font.outlines['T'].metrics = metrics;
  fonts.font.kerning = {{'T', 'E', -40}, {'E', 'T', -12}};

  CSwfTrueTypeHelper helper;
  FontRequest request;
  request.lfHeight = 36;
  request.lfWeight = 700;
  request.SetFaceName("Fake Face");
  const auto tag = helper.BuildDefineFont2(fonts, request, "TE", 3);
  ASSERT_NE(tag, nullptr);

  ASSERT_EQ(fonts.log.created.size(), 1u);
  FontRequest expected = request;
  expected.lfHeight = 1024;
  EXPECT_EQ(fonts.log.created[0], expected);
  EXPECT_EQ(fonts.log.live, 0) << "the font is deleted after the build";

  EXPECT_EQ(tag->characterId, 3);
  EXPECT_EQ(tag->name, "Fake Face");
  EXPECT_EQ(tag->codes, (std::vector<uint16_t>{'T', 'E'}));
  EXPECT_EQ(tag->advances, (std::vector<int16_t>{612, 37}));
  ASSERT_EQ(tag->glyphs.size(), 2u);
  EXPECT_EQ(Encode(*tag->glyphs[0]), kTriangleGlyph);
  ASSERT_EQ(tag->bounds.size(), 2u);
  EXPECT_EQ(Box(*tag->bounds[0]), (std::vector<int32_t>{10, 110, -220, -20}));
  EXPECT_EQ(Box(*tag->bounds[1]), (std::vector<int32_t>{0, 0, 0, 0}));
  EXPECT_EQ(std::vector<int>({tag->ascent, tag->descent, tag->leading}),
            std::vector<int>({830, 194, 30}));

  // Kerning comes with the first glyph only, in the font's order, and moves into the tag.
  EXPECT_EQ(fonts.log.kerningFetches, 1);
  ASSERT_EQ(tag->kerning.size(), 2u);
  EXPECT_EQ(std::vector<int>({tag->kerning[0].first, tag->kerning[0].second,
                              tag->kerning[0].adjustment, tag->kerning[1].first}),
            std::vector<int>({'T', 'E', -40, 'E'}));
  EXPECT_TRUE(helper.kerningPairs.empty());
}

}  // namespace
}  // namespace glyphs
