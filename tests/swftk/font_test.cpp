#include <gtest/gtest.h>

#include "swftk/font.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Body;
using test::Bytes;
using test::Concat;
using test::DamagedBodies;
using test::Decode;
using test::Encode;
using test::Framed;
using test::Hex;

// A glyph of horizontal edges, one fill style, no line styles.
std::unique_ptr<CSwfShape> Glyph(const std::vector<int32_t>& edges) {
  auto glyph = std::make_unique<CSwfShape>();
  glyph->SetStyleBits(1, 0);
  for (const int32_t dx : edges) {
    auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
    edge->Init(dx, 0, CSwfStraightEdgeShapeRecord::kHorizontal);
    glyph->records.push_back(std::move(edge));
  }
  glyph->records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  return glyph;
}

// 8 + 4 * 16 + 6 bits.
std::unique_ptr<CSwfShape> TenByteGlyph() {
  return Glyph({100, 100, -100, -100});
}
// 8 + 2 * 19 + 6 bits.
std::unique_ptr<CSwfShape> SevenByteGlyph() {
  return Glyph({1000, -1000});
}

std::unique_ptr<CSwfDefineFont2> TwoGlyphFont(uint8_t flags) {
  auto font = std::make_unique<CSwfDefineFont2>();
  font->flags = flags;
  font->name = "Ab";
  font->glyphs.push_back(TenByteGlyph());
  font->glyphs.push_back(SevenByteGlyph());
  font->codes = {'A', 'b'};
  font->ascent = 800;
  font->descent = 224;
  font->leading = 0;
  font->advances = {500, -2};
  font->bounds.push_back(std::make_unique<CSwfRect>(0, 20, 0, 20));
  font->bounds.push_back(std::make_unique<CSwfRect>());
  font->kerning.push_back({'A', 'b', -120});
  return font;
}

TEST(DefineFont2, GlyphSizesGiveTheOffsetsAndTheLayoutFlagAddsTheMetrics) {
  const Bytes glyphs = Concat({Encode(*TenByteGlyph()), Encode(*SevenByteGlyph())});
  ASSERT_EQ(glyphs.size(), 17U);
  const Bytes head = {0x01, 0x00};                       // id, then flags
  const Bytes name = {0x00, 0x02, 'A', 'b'};             // language, name
  const Bytes table = {0x02, 0x00, 6, 0, 16, 0, 23, 0};  // count, offsets, code-table offset
  // Without the layout flag the filled layout lists are not written.
  const Bytes ansi = Concat({head, {0b0001'0000}, name, table, glyphs, {'A', 'b'}});
  const Bytes layout = Concat({head,
                               {0b1'0'0'1'0'0'1'1},  // layout, ANSI, italic, bold
                               name,
                               table,
                               glyphs,
                               {'A', 'b'},
                               {0x20, 0x03, 0xE0, 0x00, 0x00, 0x00},  // ascent, descent, leading
                               {0xF4, 0x01, 0xFE, 0xFF},              // advances
                               test::kSmallRect,
                               test::kEmptyRect,
                               {0x01, 0x00},              // one kerning pair
                               {'A', 'b', 0x88, 0xFF}});  // 8-bit codes, adjustment -120
  for (const auto& [flags, body] : {std::pair{CSwfDefineFont2::kAnsi, ansi}, {0x93, layout}}) {
    EXPECT_EQ(Hex(Encode(*TwoGlyphFont(flags))), Hex(Framed(48, body)));
    EXPECT_EQ(Hex(test::Reencode<CSwfDefineFont2>(Framed(48, body))), Hex(Framed(48, body)));
  }
}

TEST(DefineFont2, WideCodesFlagWritesSixteenBitCodesAndKerningCodes) {
  auto font = TwoGlyphFont(CSwfDefineFont2::kHasLayout | CSwfDefineFont2::kWideCodes);
  font->codes = {0x20AC, 'b'};
  font->kerning[0].first = 0x20AC;
  const Bytes body = Body(Encode(*font));
  // id, flags, language, name, count, offsets: 15 bytes; then 17 glyph bytes.
  EXPECT_EQ(body[2], 0b1000'0100);
  EXPECT_EQ(Bytes(body.begin() + 32, body.begin() + 36), (Bytes{0xAC, 0x20, 'b', 0x00}));
  EXPECT_EQ(Bytes(body.end() - 6, body.end()), (Bytes{0xAC, 0x20, 'b', 0x00, 0x88, 0xFF}));
  EXPECT_EQ(Hex(test::Reencode<CSwfDefineFont2>(Encode(*font))), Hex(Encode(*font)));
}

TEST(DefineFont2, ShortListsAreWrittenAsZerosSoTheTablesMatchTheGlyphs) {
  auto font = TwoGlyphFont(0x90);
  font->codes = {'A'};
  font->advances.clear();
  font->bounds.clear();
  CSwfDefineFont2 back;
  Decode(back, Encode(*font));
  EXPECT_EQ(back.codes, (std::vector<uint16_t>{'A', 0}));
  EXPECT_EQ(back.advances, (std::vector<int16_t>{0, 0}));
  EXPECT_EQ(back.bounds.size(), 2U);
  EXPECT_EQ(back.kerning.size(), 1U);
}

// Another producer's font: wide offsets and wide codes, an empty glyph between two others.
const Bytes kForeignFont = Concat({
    {0x07, 0x00, 0b1000'1100, 0x00, 0x01, 'A', 0x03, 0x00},  // id, flags, name, count
    {16, 0, 0, 0, 18, 0, 0, 0, 18, 0, 0, 0, 22, 0, 0, 0},    // offsets; glyph 1 is empty
    {0x10, 0x00},                                            // glyph 0: widths 1 and 0, end
    {0x10, 0b11'0110'0'0, 0b01100100, 0x00},                 // glyph 2: edge of 100, end
    {0x41, 0x00, 0x20, 0x00, 0xAC, 0x20},                    // codes
    {0x00, 0x04, 0x00, 0x01, 0x00, 0x00},                    // ascent, descent, leading
    {0xF4, 0x01, 0xFA, 0x00, 0x58, 0x02},                    // advances
    {0x00, 0x00, 0x00},                                      // three rectangles of width 0
    {0x01, 0x00, 0x41, 0x00, 0xAC, 0x20, 0xD8, 0xFF},        // kerning
});

// Small glyph tables are written with 16-bit offsets whatever the stored flag said.
TEST(DefineFont2, ReadsWideOffsetsAndWideCodesAndWritesThemBackNarrow) {
  CSwfDefineFont2 font;
  Decode(font, Framed(48, kForeignFont));
  ASSERT_EQ(font.glyphs.size(), 3U);
  ASSERT_EQ(font.glyphs[2]->records.size(), 2U);
  EXPECT_EQ(static_cast<const CSwfStraightEdgeShapeRecord&>(*font.glyphs[2]->records[0]).deltaX,
            100);
  EXPECT_EQ(font.codes, (std::vector<uint16_t>{0x41, 0x20, 0x20AC}));
  EXPECT_EQ(font.advances, (std::vector<int16_t>{500, 250, 600}));
  ASSERT_EQ(font.kerning.size(), 1U);
  EXPECT_EQ(font.kerning[0].second, 0x20AC);
  EXPECT_EQ(font.kerning[0].adjustment, -40);

  const Bytes body = Concat({{0x07, 0x00, 0b1000'0100, 0x00, 0x01, 'A', 0x03, 0x00},
                             {8, 0, 10, 0, 12, 0, 16, 0},
                             {0x10, 0x00},  // glyph 0
                             {0x00, 0x00},  // the empty glyph
                             {0x10, 0b11'0110'0'0, 0b01100100, 0x00},
                             {0x41, 0x00, 0x20, 0x00, 0xAC, 0x20},
                             {0x00, 0x04, 0x00, 0x01, 0x00, 0x00},
                             {0xF4, 0x01, 0xFA, 0x00, 0x58, 0x02},
                             test::kEmptyRect,
                             test::kEmptyRect,
                             test::kEmptyRect,
                             {0x01, 0x00, 0x41, 0x00, 0xAC, 0x20, 0xD8, 0xFF}});
  const Bytes bytes = Encode(font);
  EXPECT_EQ(Hex(bytes), Hex(Framed(48, body)));
  CSwfDefineFont2 back;
  Decode(back, bytes);
  EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
}

TEST(DefineFont2, GlyphsBeyondSixteenBitOffsetsAreWrittenWithWideOffsets) {
  CSwfDefineFont2 font;
  // Six glyphs of 6000 horizontal edges: 8 + 6000 * 16 + 6 bits, 12002 bytes each.
  std::vector<int32_t> edges(6000, 100);
  for (size_t i = 0; i < edges.size(); i += 2) edges[i] = -100;
  for (int g = 0; g < 6; ++g) {
    font.glyphs.push_back(Glyph(edges));
    font.codes.push_back(static_cast<uint16_t>('a' + g));
  }
  const Bytes bytes = Encode(font);
  const Bytes body = Body(bytes);
  ASSERT_GT(body.size(), 6U * 12002U);
  EXPECT_EQ(body[2], 0b0001'1000);  // ANSI, wide offsets
  // After id, flags, language, empty name and count: the first offset, past the 32-bit table
  // of 7 entries.
  EXPECT_EQ(Bytes(body.begin() + 7, body.begin() + 11), (Bytes{28, 0, 0, 0}));
  EXPECT_EQ(font.offsets.back(), 28U + 5U * 12002U);

  EXPECT_TRUE(test::Reencode<CSwfDefineFont2>(bytes) == bytes);
}

TEST(DefineFont2, CountsFromTheFileDoNotOutrunTheData) {
  const Bytes cases[] = {
      // 65535 glyphs promised, two offsets present.
      {0x01, 0x00, 0x10, 0x00, 0x00, 0xFF, 0xFF, 0x04, 0x00, 0x06, 0x00},
      // Wide offsets that point far outside the tag.
      {0x01, 0x00, 0x18, 0x00, 0x00, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF,
       0x00, 0x00, 0x00, 0x00},
      // Layout with 65535 kerning pairs promised and none present.
      {0x01, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF},
      // A name longer than the data.
      {0x01, 0x00, 0x10, 0x00, 0xFF, 'x'},
  };
  for (const Bytes& body : cases) {
    SCOPED_TRACE(Hex(body));
    CSwfDefineFont2 font;
    Decode(font, Framed(48, body));
    EXPECT_LE(font.glyphs.size(), 2U);
    EXPECT_TRUE(font.kerning.empty());
  }
}

TEST(DefineFont, OffsetsFollowTheGlyphsWrittenAndReadBack) {
  const Bytes glyphs =
      Concat({Encode(*TenByteGlyph()), Encode(*Glyph({})), Encode(*SevenByteGlyph())});
  CSwfDefineFont font;
  std::vector<std::unique_ptr<CSwfShape>> shapes;
  shapes.push_back(TenByteGlyph());
  shapes.push_back(Glyph({}));
  shapes.push_back(SevenByteGlyph());
  font.SetGlyphs(std::move(shapes), 5);
  const Bytes bytes = Encode(font);
  EXPECT_EQ(Hex(bytes), Hex(Framed(10, Concat({{5, 0, 6, 0, 16, 0, 18, 0}, glyphs}))));
  // The glyph count comes from the first offset.
  EXPECT_EQ(Hex(test::Reencode<CSwfDefineFont>(bytes)), Hex(bytes));
  EXPECT_TRUE(font.DeriveOffsets());
  // Seven more glyphs of 12002 bytes: the last starts beyond 16-bit offsets.
  std::vector<int32_t> edges(6000, 100);
  for (size_t i = 0; i < edges.size(); i += 2) edges[i] = -100;
  for (int g = 0; g < 7; ++g) font.glyphs.push_back(Glyph(edges));
  EXPECT_FALSE(font.DeriveOffsets());
}

TEST(DefineFont, OddZeroAndOversizedFirstOffsets) {
  const struct {
    Bytes body;
    size_t glyphs;
  } cases[] = {
      {{0x01, 0x00}, 0},                          // no table at all
      {{0x01, 0x00, 0x00, 0x00}, 0},              // first offset 0
      {{0x01, 0x00, 0x01, 0x00, 0x10, 0x00}, 0},  // 1 rounds down to no glyph
      {{0x01, 0x00, 0x05, 0x00, 0x07, 0x00, 0x10, 0x00, 0x10, 0x00}, 2},  // 5 gives two
      {{0x01, 0x00, 0xFE, 0xFF, 0x04, 0x00}, 2},  // 32767 promised, two offsets present
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Hex(c.body));
    CSwfDefineFont font;
    Decode(font, Framed(10, c.body));
    EXPECT_EQ(font.glyphs.size(), c.glyphs);
  }
}

TEST(DefineFontInfo, EncodesNarrowAndWideCodesAndReadsBack) {
  const std::pair<uint8_t, Bytes> cases[] = {
      {CSwfDefineFontInfo::kAnsi | CSwfDefineFontInfo::kItalic, {'x', 'y', 'z'}},
      {CSwfDefineFontInfo::kAnsi | CSwfDefineFontInfo::kWideCodes, {'x', 0, 'y', 0, 'z', 0}},
  };
  for (const auto& [flags, codes] : cases) {
    SCOPED_TRACE(flags);
    CSwfDefineFontInfo info;
    info.Set(3, "Sans", flags, "xyz");
    const Bytes bytes = Encode(info);
    EXPECT_EQ(Hex(bytes),
              Hex(Framed(13, Concat({{0x03, 0x00, 0x04, 'S', 'a', 'n', 's', flags}, codes}))));
    CSwfDefineFontInfo back;
    Decode(back, bytes);
    EXPECT_EQ(back.codes, (std::vector<uint16_t>{'x', 'y', 'z'}));
    EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
  }
}

TEST(FontTags, DamagedBodiesReadWithoutHarm) {
  const std::vector<Bytes> bodies =
      DamagedBodies({Body(Encode(*TwoGlyphFont(0x93))), kForeignFont}, 48, 1000, 120);
  test::ExpectDamagedBodiesReadStably(
      tagcode::kDefineFont2, [] { return std::make_unique<CSwfDefineFont2>(); }, bodies);
  test::ExpectDamagedBodiesReadStably(
      tagcode::kDefineFontInfo, [] { return std::make_unique<CSwfDefineFontInfo>(); }, bodies);
  // DefineFont writes back the offsets it read, which need not describe its glyphs; its glyph
  // count is only held to the data.
  for (const Bytes& body : bodies) {
    CSwfDefineFont font;
    Decode(font, Framed(tagcode::kDefineFont, body));
    EXPECT_LE(font.glyphs.size(), body.size() / 2);
    Encode(font);
  }
}

}  // namespace
}  // namespace swftk
