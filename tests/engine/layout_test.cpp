// Laying out the letters: glyph sets, measures, positions, placements and the code page.

#include <gtest/gtest.h>

#include <string>

#include "engine/letter_placement.h"
#include "engine/text_layout.h"
#include "engine/windows1252_text.h"
#include "engine_test_support.h"
#include "swftk/place_object.h"

namespace engine::test {
namespace {

TEST(GlyphSets, HoldTheDistinctCharactersInCodeOrder) {
  const struct {
    std::string text, embed, glyphSet;
    std::vector<uint16_t> letterGlyph;
  } cases[] = {{"abba", "", "ab", {0, 1, 1, 0}},
               {"a1", "0123", "0123a", {4, 1}},
               {"\xE9z", "", "z\xE9", {1, 0}},  // 0xE9 sorts after every ASCII character
               {"a\r\nb", "", "\n\rab", {2, 1, 0, 3}},
               {"zz", "zz", "z", {0, 0}}};
  for (const auto& c : cases) {
    GlyphLayout layout;
    BuildGlyphSet(c.text, c.embed, layout);
    EXPECT_EQ(layout.glyphSet, c.glyphSet) << c.text;
    EXPECT_EQ(layout.letterGlyph, c.letterGlyph) << c.text;
  }
}

// A character 512 units wide: at 12 points the float scale 2.8444445 truncates the advance
// to 179 where a double would give 180.
TEST(GlyphMetrics, TheFloatScaleAndTheTruncationBothCount) {
  FakeFontService fonts;
  fonts.font.widths['x'] = {0, 512, 0};
  GlyphLayout layout;
  BuildGlyphSet("x", "", layout);
  MeasureGlyphs(*fonts.CreateFont({}), 120, layout);
  EXPECT_EQ(layout.emHeight, 360.0);
  EXPECT_FLOAT_EQ(layout.measureScale, 2.8444445F);
  EXPECT_EQ(layout.glyphAdvance, std::vector<int>{179});
  EXPECT_EQ(layout.ascentOffset, 281);  // 120 × 800 × 3 / 1024 = 281.25
}

TEST(LetterPositions, RunLeftToRightBreakAtEveryCrAndLfAndSpaceAfterEach) {
  GlyphLayout layout;
  BuildGlyphSet("a\r\nb", "", layout);
  layout.glyphAdvance = {0, 0, 100, 120};
  PlaceLetters("a\r\nb", 5, 7, 0, 0, 100, layout);
  // The b of "a CR LF b" stands two lines below the a, at the origin's x.
  EXPECT_EQ(
      layout.letterPosition,
      (std::vector<LetterPosition>{{100, 140}, {200, 140}, {100, 440}, {100, 740}, {220, 740}}));

  BuildGlyphSet("ab\nab", "", layout);
  layout.glyphAdvance = {0, 100, 150};
  PlaceLetters("ab\nab", 0, 0, -2, 3, 10, layout);
  EXPECT_EQ(layout.letterPosition,
            (std::vector<LetterPosition>{{0, 0}, {60, 0}, {170, 0}, {0, 90}, {60, 90}, {170, 90}}));
}

TEST(LetterPlacement, MovesTheEffectsPlacementToTheLetter) {
  const struct {
    const char* label;
    int32_t scaleX, scaleY, rotate0, rotate1, tx, ty;
    int advance;
    double x, y;
    bool compensate;
    int32_t expectedX, expectedY;
  } cases[] = {
      {"identity", 65536, 65536, 0, 0, 10, 20, 300, 1000, 2000, true, 1010, 2020},
      // Half size: (1 - 0.5) × 300 / 3 = 50 across and (1 - 0.5) × 360 = 180 down.
      {"half", 32768, 32768, 0, 0, 0, 0, 300, 1000, 2000, true, 1050, 2180},
      // Rotation terms r0 = 0.5 and r1 = -0.25: x gains 0.25 × 360, y loses 0.5 × 300 / 3.
      {"rotated", 65536, 65536, 32768, -16384, 0, 0, 300, 0, 0, true, 90, -50},
      // Each sum is truncated toward zero.
      {"truncated", 65536, 65536, 0, 0, 0, 0, 301, -10.75, 3.9, true, -10, 3},
      {"double size", 131072, 131072, 0, 0, 0, 0, 300, 0, 0, true, -100, -360},
      {"no compensation", 32768, 32768, 32768, 0, 5, 6, 300, 100.9, 200.2, false, 105, 206},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const auto placement =
        Place(9, 4, "letter", Matrix(c.scaleX, c.scaleY, c.tx, c.ty, c.rotate0, c.rotate1), true);
    placement->ratio = 7;
    const auto letter =
        MakeLetterPlacement(*placement, 12, 30, c.advance, 360, c.x, c.y, c.compensate);
    EXPECT_EQ(Describe(*letter), "place 12@30 \"letter\"");
    EXPECT_EQ(letter->ratio, 7);
    EXPECT_TRUE(letter->move);
    ASSERT_TRUE(letter->matrix);
    EXPECT_EQ(letter->matrix->scaleX, c.scaleX);
    EXPECT_EQ(letter->matrix->rotateSkew1, c.rotate1);
    EXPECT_EQ(letter->matrix->translateX, c.expectedX);
    EXPECT_EQ(letter->matrix->translateY, c.expectedY);
    // The template's placement is untouched.
    EXPECT_EQ(placement->matrix->translateX, c.tx);
    EXPECT_EQ(placement->characterId, 9);
  }
  // A placement without a matrix is copied as it is.
  const auto letter = MakeLetterPlacement(*Place(0, 2, "spark"), 5, 8, 300, 360, 1000, 1000, true);
  EXPECT_EQ(Describe(*letter), "place 5@8 \"spark\"");
  EXPECT_FALSE(letter->matrix);
}

TEST(Windows1252Text, ConvertsEveryCharacterTheCodePageHas) {
  const std::pair<std::string, std::string> cases[] = {
      {"Kalvoren Zarn", "Kalvoren Zarn"},
      {"a\r\nb\n", "a\r\nb\n"},
      {"caf\xC3\xA9", "caf\xE9"},            // é
      {"\xE2\x82\xAC", "\x80"},              // €
      {"\xE2\x80\x94\xC5\x93", "\x97\x9C"},  // em dash, œ
      {"\xC3\xBF", "\xFF"},                  // ÿ
      {"\xC2\x81", "\x81"},  // the five codes the page leaves undefined stand for themselves
      {"", ""}};
  for (const auto& [utf8, codes] : cases) {
    const Windows1252Text converted = ConvertToWindows1252(utf8);
    EXPECT_EQ(converted.fault, Windows1252Text::Fault::kNone) << utf8;
    EXPECT_EQ(converted.codes, codes);
  }
}

TEST(Windows1252Text, NamesWhatCannotBeWritten) {
  using F = Windows1252Text::Fault;
  const auto NoCode = [](const std::string& shown) {
    return "The character " + shown + " cannot be written in Windows-1252.";
  };
  const struct {
    std::string utf8;
    F fault;
    std::string description;
  } cases[] = {{"Pa\xC5\x82ka", F::kNoCode, NoCode("\"\xC5\x82\" (U+0142)")},
               {"smile \xF0\x9F\x99\x82", F::kNoCode, NoCode("\"\xF0\x9F\x99\x82\" (U+1F642)")},
               // Invisible characters are named by their number only.
               {std::string("a\0b", 3), F::kNoCode, NoCode("(U+0000)")},
               {"bad \xE9t\xE9", F::kNotUtf8, "The byte 0xE9 is not valid UTF-8."},
               {"cut \xE2\x82", F::kNotUtf8, "The byte 0xE2 is not valid UTF-8."},
               {"overlong \xC0\xAF", F::kNotUtf8, "The byte 0xC0 is not valid UTF-8."},
               {"surrogate \xED\xA0\x80", F::kNotUtf8, "The byte 0xED is not valid UTF-8."}};
  for (const auto& c : cases) {
    const Windows1252Text converted = ConvertToWindows1252(c.utf8);
    EXPECT_EQ(converted.fault, c.fault) << c.utf8;
    EXPECT_EQ(DescribeConversionFault(converted), c.description);
  }
}

}  // namespace
}  // namespace engine::test
