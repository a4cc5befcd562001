#include "glyphs/font_context.h"

#include <gtest/gtest.h>

#include "fake_font_service.h"
#include "glyphs/glyph_extractor.h"

namespace glyphs {
namespace {

// Measured at twice the cell height, so design values are half the device values.
FakeFontService MeasuredFont() {
  FakeFontService fonts;
  fonts.font.metrics = {2048, 1660, 388, 214, 60, 400, 0};
  fonts.font.widths['A'] = {5, 600, 7};
  fonts.font.widths['j'] = {-31, 200, 12};
  return fonts;
}

TEST(CKV_FontContext, SelectFontMakesACellHeightRequest) {
  FakeFontService fonts;
  CKV_FontContext context(fonts);
  ASSERT_TRUE(context.SelectFont("Arial", 12, 0x03));
  ASSERT_EQ(fonts.log.created.size(), 1u);
  FontRequest expected;
  expected.lfHeight = 1024;
  expected.lfWeight = 700;
  expected.lfItalic = 1;
  expected.SetFaceName("Arial");
  EXPECT_EQ(fonts.log.created[0], expected);
  EXPECT_EQ(context.GetSizeTenths(), 120);

  // Underline and strike-out; the other bits mean nothing.
  ASSERT_TRUE(context.SelectFont("Arial", 12, 0x84 | 0x78));
  expected.lfWeight = 0;
  expected.lfItalic = 0;
  expected.lfUnderline = 1;
  expected.lfStrikeOut = 1;
  EXPECT_EQ(fonts.log.created[1], expected);
  EXPECT_EQ(context.styleFlags, 0x84 | 0x78);
}

TEST(CKV_FontContext, SizeZeroIsRefusedAndKeepsThePreviousFont) {
  FakeFontService fonts;
  CKV_FontContext context(fonts);
  ASSERT_TRUE(context.SelectFont("Arial", 12, 0));
  const auto previous = context.currentFont;
  EXPECT_FALSE(context.SelectFont("Arial", 0, 0x01));
  EXPECT_FALSE(context.SelectFont("Arial", -4, 0x01));
  EXPECT_EQ(context.currentFont, previous);
  EXPECT_EQ(context.size, 12);
  EXPECT_EQ(context.styleFlags, 0);
  EXPECT_EQ(fonts.log.created.size(), 1u);
}

TEST(CKV_FontContext, SelectingAgainDeletesTheFirstFontBeforeCreatingTheSecond) {
  FakeFontService fonts;
  CKV_FontContext context(fonts);
  ASSERT_TRUE(context.SelectFont("Arial", 12, 0));
  ASSERT_TRUE(context.SelectFont("Arial", 14, 0));
  EXPECT_EQ(fonts.log.liveWhenCreated, (std::vector<int>{0, 0}));
  EXPECT_EQ(fonts.log.live, 1);
}

TEST(CKV_FontContext, FailedCreationLeavesNoFont) {
  FakeFontService fonts;
  CKV_FontContext context(fonts);
  ASSERT_TRUE(context.SelectFont("Arial", 12, 0));
  fonts.refuse = true;
  EXPECT_FALSE(context.SelectFont("Arial", 12, 0));
  EXPECT_EQ(context.currentFont, nullptr);
  EXPECT_EQ(fonts.log.live, 0);
  EXPECT_EQ(context.GetAscent(), 0);
  EXPECT_EQ(context.GetDesignAscent(), 0);
}

TEST(CKV_FontContext, DeviceAndDesignMeasures) {
  FakeFontService fonts = MeasuredFont();
  CKV_FontContext context(fonts);
  ASSERT_TRUE(context.SelectFont("Arial", 12, 0));
  EXPECT_EQ(context.GetAscent(), 1660);
  EXPECT_EQ(context.GetDescent(), 388);
  EXPECT_EQ(context.GetExternalLeading(), 60);
  EXPECT_EQ(context.GetHeight(), 2048);
  EXPECT_EQ(context.GetLeftBearing('A'), 5);
  EXPECT_EQ(context.GetBlackWidth('A'), 600);
  EXPECT_EQ(context.GetRightBearing('A'), 7);
  EXPECT_EQ(context.GetAdvance('A'), 612);
  EXPECT_EQ(context.GetCellAdvance('A'), 612);
  EXPECT_EQ(context.GetKerning('A'), 0);
  EXPECT_EQ(context.GetSourceWidth('A'), 0);

  // Metrics by the height, widths by the size; truncated towards zero.
  EXPECT_EQ(context.GetDesignAscent(), 830);
  EXPECT_EQ(context.GetDesignExternalLeading(), 30);
  EXPECT_EQ(context.GetDesignDescent(), 194);
  EXPECT_EQ(context.GetDesignLineHeight(), 1024);
  EXPECT_EQ(context.GetDesignAdvance('A'), 52224);      // 612 * 1024 / 12
  EXPECT_EQ(context.GetDesignBlackWidth('A'), 51200);   // 600 * 1024 / 12
  EXPECT_EQ(context.GetDesignLeftBearing('A'), 426);    // 426.67
  EXPECT_EQ(context.GetDesignRightBearing('A'), 597);   // 597.33
  EXPECT_EQ(context.GetDesignLeftBearing('j'), -2645);  // -2645.33
  EXPECT_EQ(context.GetDesignKerning('A'), 0);

  // The advance rescales by 1024 itself, the others by the design-units member.
  context.designUnits = 2048;
  EXPECT_EQ(context.GetDesignAscent(), 1660);
  EXPECT_EQ(context.GetDesignBlackWidth('A'), 102400);
  EXPECT_EQ(context.GetDesignAdvance('A'), 52224);
}

TEST(CKV_FontContext, NothingSelectedMeasuresZero) {
  FakeFontService fonts;
  CKV_FontContext context(fonts);
  EXPECT_EQ(context.GetHeight(), 0);
  EXPECT_EQ(context.GetDesignAscent(), 0);
  EXPECT_EQ(context.GetDesignAdvance('A'), 0);
  EXPECT_EQ(context.GetSizeTenths(), 0);
}

class FixedSource : public CKV_AttachedGlyphSource {
 public:
  int32_t GetSourceFactor() const override { return 3; }
  int32_t GetSourceWidth(uint8_t c) const override { return c == 'A' ? 41 : 0; }
};

TEST(CKV_GlyphExtractor, SelectsNoFont) {
  FakeFontService fonts;
  CKV_GlyphExtractor extractor(fonts);
  EXPECT_FALSE(extractor.SelectFont("Arial", 12, 0));
  EXPECT_TRUE(fonts.log.created.empty());
  EXPECT_EQ(extractor.currentFont, nullptr);
}

TEST(CKV_GlyphExtractor, WithoutASourceFactorAndWidthAreZero) {
  FakeFontService fonts = MeasuredFont();
  CKV_GlyphExtractor extractor(fonts);
  extractor.currentFont = fonts.CreateFont({});
  extractor.size = 12;
  EXPECT_EQ(extractor.GetDesignAscent(), 0);
  EXPECT_EQ(extractor.GetDesignLineHeight(), 0);
  EXPECT_EQ(extractor.GetKerning('A'), 0);
  EXPECT_EQ(extractor.GetSourceWidth('A'), 0);
  EXPECT_EQ(extractor.GetDesignAdvance('A'), 52224);
  EXPECT_EQ(extractor.GetDesignLeftBearing('A'), 426);
}

TEST(CKV_GlyphExtractor, AttachedSourceAnswersByMode) {
  FakeFontService fonts = MeasuredFont();
  CKV_GlyphExtractor extractor(fonts);
  extractor.currentFont = fonts.CreateFont({});
  extractor.size = 12;
  const FixedSource source;

  extractor.AttachSource(&source, 0);
  EXPECT_EQ(extractor.GetDesignAscent(), 2);           // 3 * 1660 / 2048
  EXPECT_EQ(extractor.GetDesignExternalLeading(), 0);  // 3 * 60 / 2048
  EXPECT_EQ(extractor.GetDesignDescent(), 0);          // 3 * 388 / 2048
  EXPECT_EQ(extractor.GetDesignLineHeight(), 3);       // 3 * 2048 / 2048
  EXPECT_EQ(extractor.GetKerning('A'), 1);             // 3 * 7 / 12
  EXPECT_EQ(extractor.GetDesignKerning('A'), 85);      // 1 * 1024 / 12
  EXPECT_EQ(extractor.GetDesignAdvance('A'), 52224);
  EXPECT_EQ(extractor.GetSourceWidth('A'), 0);

  extractor.AttachSource(&source, CKV_GlyphExtractor::kSourceWidths);
  EXPECT_EQ(extractor.GetDesignAdvance('A'), 20);
  EXPECT_EQ(extractor.GetDesignLeftBearing('A'), 20);
  EXPECT_EQ(extractor.GetSourceWidth('A'), 20);
  EXPECT_EQ(extractor.GetDesignBlackWidth('A'), 51200);
}

}  // namespace
}  // namespace glyphs
