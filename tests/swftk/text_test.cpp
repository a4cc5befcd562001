#include <gtest/gtest.h>

#include <functional>

#include "framed_bytes.h"
#include "swftk/text.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Concat;
using test::DamagedBodies;
using test::Decode;
using test::Encode;
using test::Framed;
using test::Hex;

const Bytes kIdentityMatrix = {0b1'10010'01, 0x00, 0x00, 0b01000000, 0x00, 0x00};
// (0, 20, 0, 20): n = 6.
const Bytes kSmallRect = {0b00110'000, 0b000'01010, 0b0'000000'0, 0b10100'000};

std::unique_ptr<CSwfTextStyleChangeRecord> StyleChange(uint16_t font,
                                                       std::unique_ptr<CSwfColor> color, int16_t x,
                                                       int16_t y, uint16_t height) {
  auto record = std::make_unique<CSwfTextStyleChangeRecord>();
  record->Set(font, std::move(color), x, y, height);
  return record;
}

std::unique_ptr<CSwfTextGlyphRecord> Glyphs(std::vector<CSwfTextGlyphRecord::GlyphEntry> entries,
                                            uint8_t glyphBits, uint8_t advanceBits) {
  auto record = std::make_unique<CSwfTextGlyphRecord>();
  record->entries = std::move(entries);
  record->glyphBits = glyphBits;
  record->advanceBits = advanceBits;
  return record;
}

TEST(TextRecords, Encodings) {
  const struct {
    const char* name;
    std::function<std::unique_ptr<CSwfTextRecord>()> make;
    Bytes bytes;
  } cases[] = {
      {"font, colour and height",
       [] { return StyleChange(1, std::make_unique<CSwfColor>(255, 0, 0), 0, 0, 240); },
       {0b1'000'1'1'0'0, 0x01, 0x00, 0xFF, 0x00, 0x00, 0xF0, 0x00}},
      {"font 0 writes neither font nor height",
       [] { return StyleChange(0, nullptr, -20, 100, 240); },
       {0b1'000'0'0'1'1, 0xEC, 0xFF, 0x64, 0x00}},
      {"RGBA colour by its class",
       [] { return StyleChange(2, std::make_unique<CSwfColorAlpha>(0, 0, 255, 128), 0, 0, 20); },
       {0b1'000'1'1'0'0, 0x02, 0x00, 0x00, 0x00, 0xFF, 0x80, 0x14, 0x00}},
      {"nothing set but the type bit",
       [] { return StyleChange(0, nullptr, 0, 0, 0); },
       {0b1'000'0'0'0'0}},
      {"glyphBits 3, advanceBits 8, two entries: 22 bits padded to 3 bytes",
       [] {
         return Glyphs({{5, 100}, {2, -3}}, 3, 8);
       },
       {0b0'0000010, 0b101'01100, 0b100'010'11, 0b111101'00}},
      {"no entries", [] { return Glyphs({}, 3, 8); }, {0x00}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Hex(Encode(*c.make())), Hex(c.bytes));
  }
}

TEST(TextRecords, GlyphCountIsCutToSevenBitsWithItsEntries) {
  std::vector<CSwfTextGlyphRecord::GlyphEntry> entries(130, {1, 1});
  const Bytes bytes = Encode(*Glyphs(entries, 4, 4));
  // The count byte, then 127 entries of 8 bits.
  ASSERT_EQ(bytes.size(), 1U + 127U);
  EXPECT_EQ(bytes[0], 127);
}

std::unique_ptr<CSwfDefineText> SampleText(uint16_t code) {
  auto text = std::make_unique<CSwfDefineText>();
  text->Init(3, std::make_unique<CSwfRect>(0, 20, 0, 20), std::make_unique<CSwfMatrix>(), 3, 8,
             code);
  std::unique_ptr<CSwfColor> color;
  if (code == tagcode::kDefineText2) {
    color = std::make_unique<CSwfColorAlpha>(0, 0, 0, 0x80);
  } else {
    color = std::make_unique<CSwfColor>(0, 0, 0);
  }
  text->records.push_back(StyleChange(1, std::move(color), 0, 0, 1024));
  text->records.push_back(Glyphs({{5, 100}, {2, -3}}, 3, 8));
  text->records.push_back(StyleChange(0, nullptr, 40, 0, 0));
  return text;
}

TEST(DefineText, EncodesRecordsBetweenTheWidthsAndAZeroByte) {
  const Bytes body = Concat({{0x03, 0x00},
                             kSmallRect,
                             kIdentityMatrix,
                             {0x03, 0x08},  // glyphBits, advanceBits
                             {0b1'000'1'1'0'0, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04},
                             {0b0'0000010, 0b101'01100, 0b100'010'11, 0b111101'00},
                             {0b1'000'0'0'0'1, 0x28, 0x00},
                             {0x00}});
  EXPECT_EQ(Hex(Encode(*SampleText(tagcode::kDefineText))), Hex(Framed(11, body)));
}

TEST(DefineText, RoundTripsBothCodes) {
  for (const uint16_t code : {tagcode::kDefineText, tagcode::kDefineText2}) {
    SCOPED_TRACE(code);
    const Bytes bytes = Encode(*SampleText(code));
    CSwfDefineText back;
    back.SetTagCode(code);
    EXPECT_EQ(Decode(back, bytes), code);
    ASSERT_EQ(back.records.size(), 3U);
    EXPECT_EQ(Hex(Encode(back)), Hex(bytes));

    const auto* style = dynamic_cast<CSwfTextStyleChangeRecord*>(back.records[0].get());
    ASSERT_NE(style, nullptr);
    ASSERT_NE(style->color, nullptr);
    EXPECT_EQ(style->color->HasAlpha(), code == tagcode::kDefineText2);
    EXPECT_EQ(style->textHeight, 1024);
    const auto* glyphs = dynamic_cast<CSwfTextGlyphRecord*>(back.records[1].get());
    ASSERT_NE(glyphs, nullptr);
    ASSERT_EQ(glyphs->entries.size(), 2U);
    EXPECT_EQ(glyphs->entries[1].glyphIndex, 2);
    EXPECT_EQ(glyphs->entries[1].advance, -3);
    const auto* offset = dynamic_cast<CSwfTextStyleChangeRecord*>(back.records[2].get());
    ASSERT_NE(offset, nullptr);
    EXPECT_EQ(offset->fontId, 0);
    EXPECT_EQ(offset->xOffset, 40);
  }
}

TEST(DefineText, TakesOnlyItsOwnTagCodes) {
  CSwfDefineText text;
  EXPECT_EQ(text.GetTagCode(), tagcode::kDefineText);
  text.SetTagCode(12);
  EXPECT_EQ(text.GetTagCode(), tagcode::kDefineText);
  text.SetTagCode(tagcode::kDefineText2);
  EXPECT_EQ(text.GetTagCode(), tagcode::kDefineText2);
  text.Init(1, nullptr, nullptr, 1, 1, 2);
  EXPECT_EQ(text.GetTagCode(), tagcode::kDefineText2);
}

TEST(DefineText, RecordsEndWithTheDataWhenTheZeroByteIsMissing) {
  const Bytes body = Concat({{0x03, 0x00},
                             kSmallRect,
                             kIdentityMatrix,
                             {0x03, 0x08},
                             {0b1'000'0'0'0'1, 0x28, 0x00},
                             {0b1'000'0'0'0'1, 0x14, 0x00}});
  CSwfDefineText text;
  Decode(text, Framed(11, body));
  EXPECT_EQ(text.records.size(), 2U);
}

TEST(DefineText, TruncatedAndGarbageBodiesReadAndWriteStably) {
  const std::vector<Bytes> bodies =
      DamagedBodies({test::Body(Encode(*SampleText(tagcode::kDefineText)))}, 11, 500, 62);
  for (const uint16_t code : {tagcode::kDefineText, tagcode::kDefineText2}) {
    for (const Bytes& body : bodies) {
      SCOPED_TRACE(Hex(body));
      CSwfDefineText text;
      text.SetTagCode(code);
      Decode(text, Framed(code, body));
      const Bytes once = Encode(text);
      CSwfDefineText again;
      again.SetTagCode(code);
      Decode(again, once);
      EXPECT_EQ(Hex(Encode(again)), Hex(once));
    }
  }
}

}  // namespace
}  // namespace swftk
