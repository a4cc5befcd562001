#include <gtest/gtest.h>

#include "framed_bytes.h"
#include "swftk/font.h"

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
std::unique_ptr<CSwfShape> Glyph(std::initializer_list<int32_t> edges) {
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

TEST(DefineFont2, GlyphSizesGiveTheOffsetsAndCodeTableOffset) {
  const Bytes glyphA = Encode(*TenByteGlyph());
  const Bytes glyphB = Encode(*SevenByteGlyph());
  ASSERT_EQ(glyphA.size(), 10U);
  ASSERT_EQ(glyphB.size(), 7U);
  const Bytes body = Concat({{0x01, 0x00},          // id
                             {0b0001'0000},         // ANSI
                             {0x00},                // language
                             {0x02, 'A', 'b'},      // name
                             {0x02, 0x00},          // glyph count
                             {6, 0, 16, 0, 23, 0},  // offsets, code-table offset
                             glyphA,
                             glyphB,
                             {'A', 'b'}});
  // Without the layout flag the filled layout lists are not written.
  EXPECT_EQ(Hex(Encode(*TwoGlyphFont(CSwfDefineFont2::kAnsi))), Hex(Framed(48, body)));
}

TEST(DefineFont2, LayoutFlagAddsMetricsAdvancesBoundsAndKerning) {
  const Bytes glyphs = Concat({Encode(*TenByteGlyph()), Encode(*SevenByteGlyph())});
  const Bytes body = Concat({{0x01, 0x00},
                             {0b1'0'0'1'0'0'1'1},  // layout, ANSI, italic, bold
                             {0x00},
                             {0x02, 'A', 'b'},
                             {0x02, 0x00},
                             {6, 0, 16, 0, 23, 0},
                             glyphs,
                             {'A', 'b'},
                             {0x20, 0x03, 0xE0, 0x00, 0x00, 0x00},  // ascent, descent, leading
                             {0xF4, 0x01, 0xFE, 0xFF},              // advances
                             {0b00110'000, 0b000'01010, 0b0'000000'0, 0b10100'000},
                             {0b00101'000, 0x00, 0x00, 0x00},
                             {0x01, 0x00},              // one kerning pair
                             {'A', 'b', 0x88, 0xFF}});  // 8-bit codes, adjustment -120
  EXPECT_EQ(Hex(Encode(*TwoGlyphFont(0x93))), Hex(Framed(48, body)));
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
}

TEST(DefineFont2, RoundTripsWithAndWithoutLayout) {
  for (const uint8_t flags : {0x10, 0x90, 0x93, 0x94}) {
    SCOPED_TRACE(flags);
    const Bytes bytes = Encode(*TwoGlyphFont(flags));
    CSwfDefineFont2 back;
    EXPECT_EQ(Decode(back, bytes), tagcode::kDefineFont2);
    EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
    EXPECT_EQ(back.name, "Ab");
    ASSERT_EQ(back.glyphs.size(), 2U);
    EXPECT_EQ(back.glyphs[1]->records.size(), 3U);
    EXPECT_EQ(back.offsets, (std::vector<uint32_t>{6, 16}));
    EXPECT_EQ(back.codes, (std::vector<uint16_t>{'A', 'b'}));
    if (flags & CSwfDefineFont2::kHasLayout) {
      EXPECT_EQ(back.ascent, 800);
      EXPECT_EQ(back.advances, (std::vector<int16_t>{500, -2}));
      ASSERT_EQ(back.kerning.size(), 1U);
      EXPECT_EQ(back.kerning[0].adjustment, -120);
    } else {
      EXPECT_TRUE(back.advances.empty());
    }
  }
}

TEST(DefineFont2, ResetGivesTheDefaults) {
  auto font = TwoGlyphFont(0x93);
  font->characterId = 7;
  font->Reset();
  EXPECT_EQ(font->characterId, 1);
  EXPECT_EQ(font->flags, 0x10);
  EXPECT_TRUE(font->glyphs.empty());
  EXPECT_TRUE(font->name.empty());
  EXPECT_TRUE(font->bounds.empty());
  EXPECT_TRUE(font->kerning.empty());
  EXPECT_EQ(font->ascent, 0);
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
const Bytes kForeignFont = {0x07,        0x00,
                            0b1000'1100, 0x00,
                            0x01,        'A',
                            0x03,        0x00,
                            16,          0,
                            0,           0,
                            18,          0,
                            0,           0,
                            18,          0,
                            0,           0,  // offsets; glyph 1 is empty
                            22,          0,
                            0,           0,     // code-table offset
                            0x10,        0x00,  // glyph 0: widths 1 and 0, end
                            0x10,        0b11'0110'0'0,
                            0b01100100,  0x00,  // glyph 2: horizontal edge of 100, end
                            0x41,        0x00,
                            0x20,        0x00,
                            0xAC,        0x20,  // codes
                            0x00,        0x04,
                            0x00,        0x01,
                            0x00,        0x00,  // ascent, descent, leading
                            0xF4,        0x01,
                            0xFA,        0x00,
                            0x58,        0x02,  // advances
                            0x00,        0x00,
                            0x00,  // three empty rectangles with zero width
                            0x01,        0x00,
                            0x41,        0x00,
                            0xAC,        0x20,
                            0xD8,        0xFF};

TEST(DefineFont2, ReadsWideOffsetsAndWideCodes) {
  CSwfDefineFont2 font;
  Decode(font, Framed(48, kForeignFont));
  EXPECT_EQ(font.characterId, 7);
  EXPECT_EQ(font.name, "A");
  ASSERT_EQ(font.glyphs.size(), 3U);
  EXPECT_EQ(font.glyphs[0]->records.size(), 1U);
  EXPECT_EQ(font.glyphs[1]->records.size(), 1U);
  ASSERT_EQ(font.glyphs[2]->records.size(), 2U);
  const auto* edge =
      dynamic_cast<const CSwfStraightEdgeShapeRecord*>(font.glyphs[2]->records[0].get());
  ASSERT_NE(edge, nullptr);
  EXPECT_EQ(edge->deltaX, 100);
  EXPECT_EQ(font.codes, (std::vector<uint16_t>{0x41, 0x20, 0x20AC}));
  EXPECT_EQ(font.ascent, 1024);
  EXPECT_EQ(font.descent, 256);
  EXPECT_EQ(font.advances, (std::vector<int16_t>{500, 250, 600}));
  EXPECT_EQ(font.bounds.size(), 3U);
  ASSERT_EQ(font.kerning.size(), 1U);
  EXPECT_EQ(font.kerning[0].first, 0x41);
  EXPECT_EQ(font.kerning[0].second, 0x20AC);
  EXPECT_EQ(font.kerning[0].adjustment, -40);
}

TEST(DefineFont2, WritesSmallGlyphTablesWithSixteenBitOffsetsWhateverTheStoredFlag) {
  CSwfDefineFont2 font;
  Decode(font, Framed(48, kForeignFont));
  const Bytes body = Concat({{0x07, 0x00, 0b1000'0100, 0x00, 0x01, 'A', 0x03, 0x00},
                             {8, 0, 10, 0, 12, 0, 16, 0},
                             {0x10, 0x00},  // glyph 0
                             {0x00, 0x00},  // the empty glyph
                             {0x10, 0b11'0110'0'0, 0b01100100, 0x00},
                             {0x41, 0x00, 0x20, 0x00, 0xAC, 0x20},
                             {0x00, 0x04, 0x00, 0x01, 0x00, 0x00},
                             {0xF4, 0x01, 0xFA, 0x00, 0x58, 0x02},
                             {0b00101'000, 0, 0, 0, 0b00101'000, 0, 0, 0, 0b00101'000, 0, 0, 0},
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
  for (int g = 0; g < 6; ++g) {
    font.glyphs.push_back(Glyph({}));
    for (int i = 0; i < 6000; ++i) {
      auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
      edge->Init(i % 2 ? 100 : -100, 0, CSwfStraightEdgeShapeRecord::kHorizontal);
      font.glyphs.back()->records.insert(font.glyphs.back()->records.end() - 1, std::move(edge));
    }
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

  CSwfDefineFont2 back;
  Decode(back, bytes);
  ASSERT_EQ(back.glyphs.size(), 6U);
  EXPECT_EQ(back.glyphs[5]->records.size(), 6001U);
  EXPECT_EQ(back.codes, font.codes);
  EXPECT_EQ(back.offsets, font.offsets);
  EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
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
    CSwfDefineFont2 again;
    Decode(again, Encode(font));
    EXPECT_EQ(again.glyphs.size(), font.glyphs.size());
  }
}

TEST(DefineFont, SetGlyphsAddsTheTableSizeWhenAsked) {
  const Bytes glyphs = Concat({Encode(*TenByteGlyph()), Encode(*SevenByteGlyph())});
  for (const bool addTableSize : {true, false}) {
    SCOPED_TRACE(addTableSize);
    CSwfDefineFont font;
    std::vector<std::unique_ptr<CSwfShape>> shapes;
    shapes.push_back(TenByteGlyph());
    shapes.push_back(SevenByteGlyph());
    font.SetGlyphs({0, 10}, std::move(shapes), 5, addTableSize);
    EXPECT_EQ(font.characterId, 5);
    const Bytes offsets = addTableSize ? Bytes{4, 0, 14, 0} : Bytes{0, 0, 10, 0};
    EXPECT_EQ(Hex(Encode(font)), Hex(Framed(10, Concat({{5, 0}, offsets, glyphs}))));
  }
}

TEST(DefineFont, RoundTripsAndTakesTheGlyphCountFromTheFirstOffset) {
  CSwfDefineFont font;
  std::vector<std::unique_ptr<CSwfShape>> shapes;
  shapes.push_back(TenByteGlyph());
  shapes.push_back(Glyph({}));
  shapes.push_back(SevenByteGlyph());
  font.SetGlyphs({0, 10, 12}, std::move(shapes), 1, true);
  const Bytes bytes = Encode(font);
  CSwfDefineFont back;
  Decode(back, bytes);
  EXPECT_EQ(back.offsets, (std::vector<uint16_t>{6, 16, 18}));
  ASSERT_EQ(back.glyphs.size(), 3U);
  EXPECT_EQ(back.glyphs[0]->records.size(), 5U);
  EXPECT_EQ(back.glyphs[2]->records.size(), 3U);
  EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
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
    Encode(font);
  }
}

TEST(DefineFontInfo, EncodesNameFlagsAndCodes) {
  CSwfDefineFontInfo info;
  info.Set(1, "Arial", CSwfDefineFontInfo::kAnsi | CSwfDefineFontInfo::kItalic, "ABC");
  const Bytes expected =
      Framed(13, {0x01, 0x00, 0x05, 'A', 'r', 'i', 'a', 'l', 0b0000'1100, 'A', 'B', 'C'});
  EXPECT_EQ(Hex(Encode(info)), Hex(expected));
  // An empty code list keeps the codes.
  info.Set(2, "Arial", CSwfDefineFontInfo::kAnsi, std::vector<uint8_t>{});
  EXPECT_EQ(info.codes, (std::vector<uint16_t>{'A', 'B', 'C'}));
  info.Set(2, "Arial", CSwfDefineFontInfo::kAnsi, std::vector<uint8_t>{0xE9});
  EXPECT_EQ(info.codes, (std::vector<uint16_t>{0xE9}));
}

TEST(DefineFontInfo, RoundTripsNarrowAndWideCodes) {
  for (const uint8_t flags : {0x08, 0x09}) {
    SCOPED_TRACE(flags);
    CSwfDefineFontInfo info;
    info.Set(3, "Sans", flags, "xyz");
    const Bytes bytes = Encode(info);
    EXPECT_EQ(bytes.size(), 2U + 2U + 5U + 1U + (flags & 1 ? 6U : 3U));
    CSwfDefineFontInfo back;
    Decode(back, bytes);
    EXPECT_EQ(back.fontId, 3);
    EXPECT_EQ(back.name, "Sans");
    EXPECT_EQ(back.codes, (std::vector<uint16_t>{'x', 'y', 'z'}));
    EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
  }
}

TEST(FontTags, TruncatedAndGarbageBodiesReadWithoutHarm) {
  const std::vector<Bytes> bodies =
      DamagedBodies({Body(Encode(*TwoGlyphFont(0x93))), kForeignFont}, 48, 1000, 120);
  for (const Bytes& body : bodies) {
    SCOPED_TRACE(Hex(body));
    CSwfDefineFont2 font2;
    Decode(font2, Framed(48, body));
    CSwfDefineFont2 again;
    Decode(again, Encode(font2));
    EXPECT_EQ(again.glyphs.size(), font2.glyphs.size());

    CSwfDefineFont font;
    Decode(font, Framed(10, body));
    Encode(font);
    CSwfDefineFontInfo info;
    Decode(info, Framed(13, body));
    EXPECT_LE(info.codes.size(), body.size());
    Encode(info);
  }
}

}  // namespace
}  // namespace swftk
