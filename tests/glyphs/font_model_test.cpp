// Font requests, the code page and the font contexts built on them.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_font_service.h"
#include "glyphs/font_context.h"
#include "glyphs/font_request.h"
#include "glyphs/windows1252.h"

namespace glyphs {
namespace {

// The first 28 bytes of a request as they are laid out, then its face name padded to 32 bytes.
std::array<uint8_t, kFontRequestSize> Layout(std::vector<uint8_t> fields, std::string face) {
  std::array<uint8_t, kFontRequestSize> bytes{};
  std::copy(fields.begin(), fields.end(), bytes.begin());
  std::copy(face.begin(), face.end(), bytes.begin() + 28);
  return bytes;
}

FontRequest Make(int32_t height, int32_t width, int32_t escapement, int32_t orientation,
                 int32_t weight, std::array<uint8_t, 8> flags, const char* face) {
  FontRequest request;
  request.lfHeight = height;
  request.lfWidth = width;
  request.lfEscapement = escapement;
  request.lfOrientation = orientation;
  request.lfWeight = weight;
  request.lfItalic = flags[0];
  request.lfUnderline = flags[1];
  request.lfStrikeOut = flags[2];
  request.lfCharSet = flags[3];
  request.lfOutPrecision = flags[4];
  request.lfClipPrecision = flags[5];
  request.lfQuality = flags[6];
  request.lfPitchAndFamily = flags[7];
  request.SetFaceName(face);
  return request;
}

TEST(FontRequestLayout, SerialisesAndParsesByteForByte) {
  const struct {
    const char* name;
    FontRequest request;
    std::array<uint8_t, kFontRequestSize> bytes;
  } cases[] = {
      {"empty", FontRequest{}, Layout({}, "")},
      {"bold italic Arial at cell height 1024",
       Make(1024, 0, 0, 0, 700, {1, 0, 0, 0, 0, 0, 0, 0}, "Arial"),
       Layout({0x00, 0x04, 0x00, 0x00,  // height
               0x00, 0x00, 0x00, 0x00,  // width
               0x00, 0x00, 0x00, 0x00,  // escapement
               0x00, 0x00, 0x00, 0x00,  // orientation
               0xBC, 0x02, 0x00, 0x00,  // weight
               0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
              "Arial")},
      {"every field distinct, negative values",
       Make(-12, 7, 900, -900, 0x01020304, {0xFF, 1, 1, 0x80, 3, 2, 4, 0x22}, "Times New Roman"),
       Layout({0xF4, 0xFF, 0xFF, 0xFF,  // height -12
               0x07, 0x00, 0x00, 0x00,  // width
               0x84, 0x03, 0x00, 0x00,  // escapement 900
               0x7C, 0xFC, 0xFF, 0xFF,  // orientation -900
               0x04, 0x03, 0x02, 0x01,  // weight, low byte first
               0xFF, 0x01, 0x01, 0x80, 0x03, 0x02, 0x04, 0x22},
              "Times New Roman")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.request.Serialise(), c.bytes);
    EXPECT_EQ(FontRequest::Parse(c.bytes), c.request);
  }
}

TEST(FontRequestFaceName, KeepsThirtyOneCharactersAndATerminator) {
  FontRequest request;
  for (const size_t length : {31, 32, 45}) {
    request.SetFaceName(std::string(length, 'x'));
    EXPECT_EQ(request.GetFaceName(), std::string(31, 'x')) << length;
    EXPECT_EQ(request.Serialise()[59], 0);
  }
  // A shorter name after a longer one leaves nothing of the old one behind.
  request.SetFaceName("Arial");
  EXPECT_EQ(request.Serialise(), Make(0, 0, 0, 0, 0, {}, "Arial").Serialise());
  // A stored name without its terminator is cut.
  std::array<uint8_t, kFontRequestSize> bytes{};
  std::fill(bytes.begin() + 28, bytes.end(), 'q');
  const FontRequest parsed = FontRequest::Parse(bytes);
  EXPECT_EQ(parsed.GetFaceName(), std::string(31, 'q'));
  EXPECT_EQ(parsed.Serialise()[59], 0);
}

TEST(Windows1252, MapsCodesToUnicodeAndKnowsThePrintableOnes) {
  const std::pair<uint8_t, char32_t> cases[] = {
      {0x41, U'A'},   {0x7F, 0x7F},   {0x80, 0x20AC},  // euro sign
      {0x8A, 0x0160}, {0x99, 0x2122}, {0x9F, 0x0178},  // S caron, trade mark, Y diaeresis
      {0x81, 0x81},   {0x9D, 0x9D},                    // undefined: the C1 control
      {0xA0, 0xA0},   {0xE9, 0xE9},   {0xFF, 0xFF},
  };
  for (const auto& [code, character] : cases) {
    EXPECT_EQ(Windows1252ToUnicode(code), character) << "code " << int(code);
  }
  int printable = 0;
  for (int code = 0; code < 256; ++code) printable += IsPrintableWindows1252(code) ? 1 : 0;
  // 95 ASCII, 27 of the 32 codes from 0x80, 96 from 0xA0.
  EXPECT_EQ(printable, 95 + 27 + 96);
  for (const uint8_t code : {0x00, 0x0D, 0x1F, 0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_FALSE(IsPrintableWindows1252(code)) << "code " << int(code);
  }
  for (const uint8_t code : {0x20, 0x7E, 0x80, 0x9F, 0xA0, 0xFF}) {
    EXPECT_TRUE(IsPrintableWindows1252(code)) << "code " << int(code);
  }
}

// Measured at twice the cell height, so design values are half the device values: metrics
// scale by the height, widths by the size, truncated towards zero.
TEST(CKV_FontContext, SelectsOneCellHeightFontAndScalesItsMeasures) {
  FakeFontService fonts;
  fonts.font.metrics = {2048, 1660, 388, 214, 60, 400, 0};
  fonts.font.widths['A'] = {5, 600, 7};
  fonts.font.widths['j'] = {-31, 200, 12};
  CKV_FontContext context(fonts);
  EXPECT_EQ(context.GetDesignAdvance('A'), 0);  // nothing selected
  ASSERT_TRUE(context.SelectFont("Arial", 12, 0x03));
  FontRequest expected;
  expected.lfHeight = 1024;
  expected.lfWeight = 700;
  expected.lfItalic = 1;
  expected.SetFaceName("Arial");
  ASSERT_EQ(fonts.log.created.size(), 1u);
  EXPECT_EQ(fonts.log.created[0], expected);
  EXPECT_EQ(context.GetSizeTenths(), 120);
  EXPECT_EQ(
      std::vector<int32_t>({context.GetAdvance('A'), context.GetDesignAscent(),
                            context.GetDesignExternalLeading(), context.GetDesignDescent(),
                            context.GetDesignLineHeight(), context.GetDesignAdvance('A'),
                            context.GetDesignBlackWidth('A'), context.GetDesignLeftBearing('A'),
                            context.GetDesignRightBearing('A'), context.GetDesignLeftBearing('j'),
                            context.GetDesignKerning('A')}),
      std::vector<int32_t>({612, 830, 30, 194, 1024, 52224, 51200, 426, 597, -2645, 0}));
  // A size of zero or below is refused and keeps the font.
  const CKV_GlyphSource* previous = context.currentFont.get();
  EXPECT_FALSE(context.SelectFont("Arial", 0, 0x01));
  EXPECT_FALSE(context.SelectFont("Arial", -4, 0x01));
  EXPECT_EQ(context.currentFont.get(), previous);
  EXPECT_EQ(context.size, 12);
  EXPECT_EQ(fonts.log.created.size(), 1u);
  // Underline and strike-out; the other bits mean nothing. The first font is gone before the
  // second is made.
  ASSERT_TRUE(context.SelectFont("Arial", 14, 0x84 | 0x78));
  expected.lfWeight = 0;
  expected.lfItalic = 0;
  expected.lfUnderline = 1;
  expected.lfStrikeOut = 1;
  ASSERT_EQ(fonts.log.created.size(), 2u);
  EXPECT_EQ(fonts.log.created[1], expected);
  EXPECT_EQ(fonts.log.liveWhenCreated, (std::vector<int>{0, 0}));
  EXPECT_EQ(fonts.log.live, 1);
  // A font that cannot be made leaves none.
  fonts.refuse = true;
  EXPECT_FALSE(context.SelectFont("Arial", 12, 0));
  EXPECT_EQ(context.currentFont, nullptr);
  EXPECT_EQ(fonts.log.live, 0);
  EXPECT_EQ(context.GetDesignAscent(), 0);
}

}  // namespace
}  // namespace glyphs
