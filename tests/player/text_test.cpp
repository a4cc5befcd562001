// Static texts from DefineFont and DefineFont2, and text fields laid out with outlines.
#include <gtest/gtest.h>

#include "player/edit_text_character.h"
#include "player/font_character.h"
#include "player/text_layout.h"
#include "swftk/control_tags.h"
#include "test_fonts.h"
#include "test_movie.h"

namespace player::test {
namespace {

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255};

// Glyph 0: a square of half an em standing on the baseline; glyph 1: a bar a quarter em wide
// and a whole em high.
std::vector<std::unique_ptr<swftk::CSwfShape>> TwoGlyphs() {
  std::vector<std::unique_ptr<swftk::CSwfShape>> glyphs;
  glyphs.push_back(GlyphShape({{0, -512, 512, 0}}));
  glyphs.push_back(GlyphShape({{0, -1024, 256, 0}}));
  return glyphs;
}

TEST(StaticText, DefineFontGlyphsStandOnTheBaselineAtTheirAdvances) {
  for (const uint16_t code : {swftk::tagcode::kDefineText, swftk::tagcode::kDefineText2}) {
    TestMovie movie(40, 40);
    auto info = std::make_unique<swftk::CSwfDefineFontInfo>();
    info->Set(1, "Squares", swftk::CSwfDefineFontInfo::kAnsi, std::string_view("ab"));
    // Height 400 twips: the square is 200 twips, the bar 100 wide and 400 high.
    movie.Add(DefineFont(1, TwoGlyphs())).Add(std::move(info));
    movie.Add(DefineText(2, code, {{1, kRed, 100, 600, 400, {{0, 300}, {1, 0}}}}));
    movie.Add(Place(2, 1)).Frame();
    const auto loaded = movie.Load();
    const CKV_FontCharacter* font = loaded->characters.FindFont(1);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->name, "Squares");
    EXPECT_EQ(font->GlyphForCode('b'), 1);
    auto image = RenderFrameOf(loaded, 1);
    EXPECT_EQ(PixelAt(*image, 10, 25), kRed) << "the square: x 5..15, y 20..30 pixels";
    EXPECT_EQ(PixelAt(*image, 22, 15), kRed) << "the bar: x 20..25, y 10..30 pixels";
    EXPECT_EQ(PixelAt(*image, 17, 25), kWhite) << "between them";
    EXPECT_EQ(PixelAt(*image, 10, 18), kWhite) << "above the square";
    EXPECT_EQ(PixelAt(*image, 22, 31), kWhite) << "below the baseline";
  }
}

TEST(StaticText, DefineText2ColoursCarryAlphaAndColorTransformsApply) {
  ColorTransform darken;
  darken.redMult = 128;
  TestMovie movie(40, 40);
  movie.Add(DefineFont(1, TwoGlyphs()));
  movie.Add(DefineText(2, swftk::tagcode::kDefineText2,
                       {{1, {255, 0, 0, 128}, 100, 600, 400, {{0, 0}}}}));
  movie.Add(Place(2, 1))
      .Add(Place(2, 2, Options().At(Transform2D::Translation(400, 0)).Tint(darken)));
  movie.Frame();
  auto image = RenderFrameOf(movie.Load(), 1);
  EXPECT_LE(ColorDistance(PixelAt(*image, 10, 25), {255, 127, 127, 255}), 2);
  EXPECT_LE(ColorDistance(PixelAt(*image, 30, 25), {191, 127, 127, 255}), 2);
}

// A font whose em square is laid out 1:1 in twips by a field of height 1024: 'A' is 600 wide
// with advance 800, the space has no outline and advance 400.
std::unique_ptr<swftk::CSwfDefineFont2> LayoutFont() {
  return DefineFont2(
      1, {{'A', {{0, -700, 600, 0}}, 800}, {' ', {}, 400}, {'B', {{0, -700, 600, 0}}, 1000}}, 900,
      300);
}

struct FieldCase {
  const char* name;
  uint8_t align = 0;
  uint16_t leftMargin = 0;
  uint16_t rightMargin = 0;
  uint16_t indent = 0;
  int16_t leading = 0;
  bool wordWrap = false;
  bool multiline = true;
  std::string text;
  // Pen positions (x, baseline) of the glyphs drawn, in the field's twips.
  std::vector<std::pair<double, double>> pens;
};

TEST(FieldLayout, PlacesGlyphsByAlignmentMarginsIndentAndLeading) {
  // Bounds 0..4080 twips: 4000 inside the 40-twip padding on each side. First baseline at
  // 40 + ascent 900; lines 900 + 300 + leading apart.
  const FieldCase cases[] = {
      {"left", 0, 0, 0, 0, 0, false, true, "AB", {{40, 940}, {840, 940}}},
      {"left margin and indent", 0, 100, 0, 50, 0, false, true, "A", {{190, 940}}},
      {"right", 1, 0, 0, 0, 0, false, true, "AB", {{2240, 940}, {3040, 940}}},
      {"right with a right margin", 1, 0, 300, 0, 0, false, true, "A", {{2940, 940}}},
      {"centre", 2, 0, 0, 0, 0, false, true, "AB", {{1140, 940}, {1940, 940}}},
      {"lines from CR, LF and CR LF",
       0,
       0,
       0,
       0,
       100,
       false,
       true,
       "A\rB\r\nA\nB",
       {{40, 940}, {40, 2240}, {40, 3540}, {40, 4840}}},
      {"negative leading", 0, 0, 0, 0, -200, false, true, "A\nA", {{40, 940}, {40, 1940}}},
      {"indent only on a paragraph's first line",
       0,
       0,
       0,
       500,
       0,
       true,
       true,
       "AAAA AAAA",
       {{540, 940},
        {1340, 940},
        {2140, 940},
        {2940, 940},
        {40, 2140},
        {840, 2140},
        {1640, 2140},
        {2440, 2140}}},
      {"word wrap breaks at the last space",
       0,
       0,
       0,
       0,
       0,
       true,
       true,
       "AA AA AA",
       {{40, 940}, {840, 940}, {2040, 940}, {2840, 940}, {40, 2140}, {840, 2140}}},
      {"a word wider than the field breaks where it must",
       0,
       0,
       0,
       0,
       0,
       true,
       true,
       "AAAAAAA",
       {{40, 940}, {840, 940}, {1640, 940}, {2440, 940}, {3240, 940}, {40, 2140}, {840, 2140}}},
      {"justify spreads the spaces of wrapped lines",
       3,
       0,
       0,
       0,
       0,
       true,
       true,
       "AA AA AA",
       {{40, 940}, {840, 940}, {2440, 940}, {3240, 940}, {40, 2140}, {840, 2140}}},
      {"without word wrap a line runs on",
       0,
       0,
       0,
       0,
       0,
       false,
       true,
       "AAAAAA",
       {{40, 940}, {840, 940}, {1640, 940}, {2440, 940}, {3240, 940}, {4040, 940}}},
  };
  const CKV_FontCharacter font(*LayoutFont());
  for (const FieldCase& c : cases) {
    swftk::CSwfDefineEditText define;
    define.characterId = 2;
    define.bounds = std::make_unique<swftk::CSwfRect>(0, 4080, 0, 8000);
    define.SetFont(1, 1024);
    define.SetLayout(c.align, c.leftMargin, c.rightMargin, c.indent,
                     static_cast<uint16_t>(c.leading));
    if (c.wordWrap) define.flags |= swftk::CSwfDefineEditText::kWordWrap;
    if (c.multiline) define.flags |= swftk::CSwfDefineEditText::kMultiline;
    const CKV_EditTextCharacter field(define, &font);
    const std::vector<PlacedGlyph> glyphs = LayOutFieldText(field, font, c.text);
    std::vector<std::pair<double, double>> pens;
    for (const PlacedGlyph& glyph : glyphs) {
      EXPECT_EQ(glyph.transform.a, 1.0) << c.name;
      pens.emplace_back(glyph.transform.tx, glyph.transform.ty);
    }
    EXPECT_EQ(pens, c.pens) << c.name;
  }
}

TEST(FieldLayout, HtmlIsReducedToTextAndPasswordsAreHidden) {
  swftk::CSwfDefineEditText define;
  define.flags = 0x0002 | swftk::CSwfDefineEditText::kPassword;
  const CKV_EditTextCharacter field(define, nullptr);
  EXPECT_EQ(DisplayedFieldText(field, "<p align=\"left\"><b>a&amp;b</b></p><p>c&lt;</p>"),
            "***\n**");
  define.flags = 0x0002;
  const CKV_EditTextCharacter html(define, nullptr);
  EXPECT_EQ(DisplayedFieldText(html, "x<br>y &unknown; &gt;"), "x\ny &unknown; >");
}

TEST(FieldLayout, FieldsDrawTheirTextInsideTheirBoundsOnly) {
  // Field 2 at the stage origin, 600 x 1200 twips with its text 2048 twips high: the second
  // 'A' starts past the right edge and is cut off.
  TestMovie movie(80, 80);
  movie.Add(LayoutFont());
  auto field = std::make_unique<swftk::CSwfDefineEditText>();
  field->Init(2, std::make_unique<swftk::CSwfColorAlpha>(255, 0, 0, 255), "v");
  field->bounds = std::make_unique<swftk::CSwfRect>(0, 1400, 0, 1600);
  field->SetFont(1, 1024);
  field->SetInitialText("AA");
  field->flags |= swftk::CSwfDefineEditText::kUseOutlines;
  movie.Add(std::move(field)).Add(Place(2, 1)).Frame();
  auto image = RenderFrameOf(movie.Load(), 1);
  // 'A': x 40..640, y 240..940 twips; the second from 840, cut at 1400 (70 pixels).
  EXPECT_EQ(PixelAt(*image, 20, 30), kRed);
  EXPECT_EQ(PixelAt(*image, 50, 30), kRed);
  EXPECT_EQ(PixelAt(*image, 36, 30), kWhite);
  EXPECT_EQ(PixelAt(*image, 69, 30), kRed);
  EXPECT_EQ(PixelAt(*image, 71, 30), kWhite) << "cut at the field's right edge";
}

}  // namespace
}  // namespace player::test
