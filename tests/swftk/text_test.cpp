#include <gtest/gtest.h>

#include <functional>

#include "swftk/edit_text.h"
#include "swftk/text.h"
#include "test_bytes.h"

namespace swftk {
namespace {

using test::Bytes;
using test::Concat;
using test::DamagedBodies;
using test::Decode;
using test::Encode;
using test::Framed;
using test::Hex;
using test::kEmptyRect;
using test::kIdentityMatrix;
using test::kSmallRect;

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
    std::unique_ptr<CSwfTextRecord> record;
    Bytes bytes;
  } cases[] = {
      {"font, colour and height",
       StyleChange(1, std::make_unique<CSwfColor>(255, 0, 0), 0, 0, 240),
       {0b1'000'1'1'0'0, 0x01, 0x00, 0xFF, 0x00, 0x00, 0xF0, 0x00}},
      {"font 0 writes neither font nor height",
       StyleChange(0, nullptr, -20, 100, 240),
       {0b1'000'0'0'1'1, 0xEC, 0xFF, 0x64, 0x00}},
      {"RGBA colour by its class",
       StyleChange(2, std::make_unique<CSwfColorAlpha>(0, 0, 255, 128), 0, 0, 20),
       {0b1'000'1'1'0'0, 0x02, 0x00, 0x00, 0x00, 0xFF, 0x80, 0x14, 0x00}},
      {"nothing set but the type bit", StyleChange(0, nullptr, 0, 0, 0), {0b1'000'0'0'0'0}},
      {"glyphBits 3, advanceBits 8, two entries: 22 bits padded to 3 bytes",
       Glyphs({{5, 100}, {2, -3}}, 3, 8),
       {0b0'0000010, 0b101'01100, 0b100'010'11, 0b111101'00}},
      {"no entries", Glyphs({}, 3, 8), {0x00}},
      // The count byte, then 127 entries of 8 bits.
      {"the count is cut to 7 bits with its entries",
       Glyphs(std::vector<CSwfTextGlyphRecord::GlyphEntry>(130, {1, 1}), 4, 4),
       Concat({{127}, Bytes(127, 0x11)})},
  };
  for (const auto& c : cases) EXPECT_EQ(Hex(Encode(*c.record)), Hex(c.bytes)) << c.name;
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

// Records between the widths and a zero byte; DefineText2 gives its colours alpha.
TEST(DefineText, EncodingsAndReadBack) {
  for (const uint16_t code : {tagcode::kDefineText, tagcode::kDefineText2}) {
    SCOPED_TRACE(code);
    const Bytes colour = code == tagcode::kDefineText2 ? Bytes{0, 0, 0, 0x80} : Bytes{0, 0, 0};
    const Bytes body = Concat({{0x03, 0x00},
                               kSmallRect,
                               kIdentityMatrix,
                               {0x03, 0x08},  // glyphBits, advanceBits
                               {0b1'000'1'1'0'0, 0x01, 0x00},
                               colour,
                               {0x00, 0x04},
                               {0b0'0000010, 0b101'01100, 0b100'010'11, 0b111101'00},
                               {0b1'000'0'0'0'1, 0x28, 0x00},
                               {0x00}});
    const Bytes bytes = Encode(*SampleText(code));
    EXPECT_EQ(Hex(bytes), Hex(Framed(code, body)));
    CSwfDefineText back;
    back.SetTagCode(code);
    EXPECT_EQ(Decode(back, bytes), code);
    EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
    // Advances are signed: a reader that took them unsigned would still write the same bits.
    ASSERT_EQ(back.records.size(), 3U);
    const auto& glyphs = dynamic_cast<const CSwfTextGlyphRecord&>(*back.records[1]);
    ASSERT_EQ(glyphs.entries.size(), 2U);
    EXPECT_EQ(glyphs.entries[1].advance, -3);
  }
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

TEST(DefineText, DamagedBodiesReadAndWriteStably) {
  const std::vector<Bytes> bodies =
      DamagedBodies({test::Body(Encode(*SampleText(tagcode::kDefineText)))}, 11, 500, 62);
  for (const uint16_t code : {tagcode::kDefineText, tagcode::kDefineText2}) {
    test::ExpectDamagedBodiesReadStably(
        code,
        [code] {
          auto text = std::make_unique<CSwfDefineText>();
          text->SetTagCode(code);
          return text;
        },
        bodies);
  }
}

// DefineEditText (37) framed.
Bytes EditText(const Bytes& body) {
  return Framed(tagcode::kDefineEditText, body);
}

struct EditTextCase {
  const char* name;
  std::function<void(CSwfDefineEditText&)> build;
  Bytes body;
};

const std::vector<EditTextCase>& Cases() {
  static const std::vector<EditTextCase> cases = {
      {"colour and variable, no initial text",
       [](CSwfDefineEditText& e) {
         e.Init(2, std::make_unique<CSwfColorAlpha>(255, 0, 0, 255), "letter");
       },
       Concat({{0x02, 0x00},
               kEmptyRect,
               {0b0000'0100, 0b0000'0000},  // HasTextColor
               {0xFF, 0x00, 0x00, 0xFF},
               {'l', 'e', 't', 't', 'e', 'r', 0}})},
      {"font without layout values brings a zero layout block",
       [](CSwfDefineEditText& e) {
         e.SetFont(1, 240);
         e.variableName = std::string("t");
       },
       Concat({{0x01, 0x00},
               kEmptyRect,
               {0b0000'0001, 0b00'1'0'0'00'0},  // HasFont; HasLayout
               {0x01, 0x00, 0xF0, 0x00},
               {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
               {'t', 0}})},
      {"every field",
       [](CSwfDefineEditText& e) {
         e.Init(3, std::make_unique<CSwfColorAlpha>(1, 2, 3, 4), "v");
         e.bounds = std::make_unique<CSwfRect>(0, 20, 0, 20);
         e.SetFont(1, 600);
         e.SetMaxLength(8);
         e.SetLayout(2, 40, 41, 5, 20);
         e.SetInitialText("Hi");
         e.flags |= CSwfDefineEditText::kWordWrap | CSwfDefineEditText::kMultiline |
                    CSwfDefineEditText::kReadOnly | CSwfDefineEditText::kNoSelect |
                    CSwfDefineEditText::kBorder | CSwfDefineEditText::kUseOutlines;
       },
       Concat({{0x03, 0x00},
               kSmallRect,
               // HasText WordWrap Multiline -Password ReadOnly HasTextColor HasMaxLength
               // HasFont; 0 0 HasLayout NoSelect Border 0 0 UseOutlines
               {0b1'1'1'0'1'1'1'1, 0b0'0'1'1'1'0'0'1},
               {0x01, 0x00, 0x58, 0x02},
               {0x01, 0x02, 0x03, 0x04},
               {0x08, 0x00},
               {0x02, 0x28, 0x00, 0x29, 0x00, 0x05, 0x00, 0x14, 0x00},
               {'v', 0},
               {'H', 'i', 0}})},
      {"HTML, auto-size and later bits are not written",
       [](CSwfDefineEditText& e) {
         e.flags = 0x00C6 | CSwfDefineEditText::kBorder;
         e.variableName = std::string("x");
       },
       Concat({{0x01, 0x00}, kEmptyRect, {0x00, 0b0000'1'000}, {'x', 0}})},
      {"colour flag without a colour is not written",
       [](CSwfDefineEditText& e) {
         e.flags = CSwfDefineEditText::kHasTextColor;
         e.variableName = std::string("c");
       },
       Concat({{0x01, 0x00}, kEmptyRect, {0x00, 0x00}, {'c', 0}})},
  };
  return cases;
}

TEST(DefineEditText, EncodesEachCaseAndReadsItBack) {
  for (const EditTextCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    CSwfDefineEditText edit;
    c.build(edit);
    const Bytes bytes = Encode(edit);
    EXPECT_EQ(Hex(bytes), Hex(EditText(c.body)));

    CSwfDefineEditText back;
    EXPECT_EQ(Decode(back, bytes), tagcode::kDefineEditText);
    EXPECT_EQ(Hex(Encode(back)), Hex(bytes));
  }
}

// Written back, a font from another producer brings its layout block and keeps the name after it.
TEST(DefineEditText, FontWithoutLayoutFromAnotherProducerKeepsTheVariableName) {
  const Bytes font = {0x02, 0x00, 0xF0, 0x00};
  const Bytes name = {'n', 'a', 'm', 'e', 0};
  const Bytes body = Concat({{0x05, 0x00}, kEmptyRect, {0b0000'0001, 0x00}, font, name});
  const Bytes expected =
      Concat({{0x05, 0x00}, kEmptyRect, {0b0000'0001, 0b0010'0000}, font, Bytes(9, 0), name});
  EXPECT_EQ(Hex(test::Reencode<CSwfDefineEditText>(EditText(body))), Hex(EditText(expected)));
}

TEST(DefineEditText, DamagedBodiesReadAndWriteStably) {
  CSwfDefineEditText full;
  Cases()[2].build(full);
  test::ExpectDamagedBodiesReadStably(
      tagcode::kDefineEditText, [] { return std::make_unique<CSwfDefineEditText>(); },
      DamagedBodies({test::Body(Encode(full))}, 37, 500, 62));
}

}  // namespace
}  // namespace swftk
