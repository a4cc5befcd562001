#include "engine/text_layout.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace engine::test {
namespace {

struct GlyphSetCase {
  std::string text;
  std::string embed;
  std::string glyphSet;
  std::vector<uint16_t> letterGlyph;
};

class GlyphSets : public ::testing::TestWithParam<GlyphSetCase> {};

TEST_P(GlyphSets, HoldTheDistinctCharactersInCodeOrder) {
  GlyphLayout layout;
  BuildGlyphSet(GetParam().text, GetParam().embed, layout);
  EXPECT_EQ(layout.glyphSet, GetParam().glyphSet);
  EXPECT_EQ(layout.letterGlyph, GetParam().letterGlyph);
}

INSTANTIATE_TEST_SUITE_P(Table, GlyphSets,
                         ::testing::Values(GlyphSetCase{"abba", "", "ab", {0, 1, 1, 0}},
                                           GlyphSetCase{"a1", "0123", "0123a", {4, 1}},
                                           // 0xE9 sorts after every ASCII character.
                                           GlyphSetCase{"\xE9z", "", "z\xE9", {1, 0}},
                                           GlyphSetCase{"a\r\nb", "", "\n\rab", {2, 1, 0, 3}},
                                           GlyphSetCase{"zz", "zz", "z", {0, 0}}));

// A font whose every character has the given A + B + C.
class UniformFont : public FakeGlyphSource {
 public:
  explicit UniformFont(int32_t advance) : advance_(advance) {}
  glyphs::AbcWidths GetAbcWidths(uint8_t) const override { return {0, advance_, 0}; }

 private:
  int32_t advance_;
};

TEST(GlyphMetrics, TheFloatScaleAndTheTruncationBothCount) {
  GlyphLayout layout;
  BuildGlyphSet("x", "", layout);
  MeasureGlyphs(UniformFont(512), 120, layout);
  EXPECT_EQ(layout.emHeight, 360.0);
  EXPECT_FLOAT_EQ(layout.measureScale, 2.8444445F);
  EXPECT_EQ(layout.glyphAdvance, std::vector<int>{179});
  // 120 × 800 × 3 / 1024 = 281.25.
  EXPECT_EQ(layout.ascentOffset, 281);
}

TEST(GlyphMetrics, MeasuresEveryGlyphOfTheSet) {
  GlyphLayout layout;
  BuildGlyphSet("ab", "0", layout);
  MeasureGlyphs(FakeGlyphSource(), 360, layout);
  // A + B + C = 20 + 2 × code design units at 1024 / 1080 units per twip.
  EXPECT_EQ(layout.glyphAdvance,
            (std::vector<int>{(20 + 96) * 1080 / 1024, (20 + 194) * 1080 / 1024,
                              (20 + 196) * 1080 / 1024}));
}

TEST(LetterPositions, RunLeftToRightAndBreakAtEveryCrAndLf) {
  GlyphLayout layout;
  BuildGlyphSet("a\r\nb", "", layout);
  layout.glyphAdvance = {0, 0, 100, 120};
  PlaceLetters("a\r\nb", 5, 7, 0, 0, 100, layout);
  ASSERT_EQ(layout.letterPosition.size(), 5U);
  EXPECT_EQ(layout.letterPosition[0], (LetterPosition{100, 140}));
  EXPECT_EQ(layout.letterPosition[1], (LetterPosition{200, 140}));
  EXPECT_EQ(layout.letterPosition[2], (LetterPosition{100, 440}));
  // The b of "a CR LF b" stands two lines below the a, at the origin's x.
  EXPECT_EQ(layout.letterPosition[3], (LetterPosition{100, 740}));
  EXPECT_EQ(layout.letterPosition[4], (LetterPosition{220, 740}));
}

TEST(LetterPositions, SpacesFollowEveryLetterAndEveryBreak) {
  GlyphLayout layout;
  BuildGlyphSet("ab\nab", "", layout);
  layout.glyphAdvance = {0, 100, 150};
  PlaceLetters("ab\nab", 0, 0, -2, 3, 10, layout);
  const std::vector<LetterPosition> expected = {{0, 0},  {60, 0},  {170, 0},
                                                {0, 90}, {60, 90}, {170, 90}};
  EXPECT_EQ(layout.letterPosition, expected);
}

}  // namespace
}  // namespace engine::test
