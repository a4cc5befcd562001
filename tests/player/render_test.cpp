// Pixels of what the player draws: shapes, bitmap fills, buttons and texts on small stages,
// inside, outside and on their edges; and how text fields lay out their glyphs.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "player/edit_text_character.h"
#include "player/font_character.h"
#include "player/text_layout.h"
#include "swftk/button.h"
#include "swftk/control_tags.h"
#include "swftk/stream.h"
#include "test_movie.h"

namespace player::test {
namespace {

using swftk::tagcode::kDefineButton;
using swftk::tagcode::kDefineButton2;
using swftk::tagcode::kDefineText;
using swftk::tagcode::kDefineText2;

constexpr Rgba kPink{255, 128, 128, 255};

// Antialiased edges may differ from the exact coverage by rounding.
struct Probe {
  int x, y;
  Rgba color;
  int tolerance;
};
Probe At(int x, int y, Rgba color, int tolerance = 2) {
  return {x, y, color, tolerance};
}

struct PixelCase {
  const char* name;
  std::function<void(TestMovie&)> build;
  std::vector<Probe> probes;
  uint8_t version = 4;
  double scale = 1.0;
};

// PlaceObject's body: character, depth, then the matrix and the colour transform, each
// starting on a byte boundary.
std::unique_ptr<swftk::CSwfTag> PlaceObject1(uint16_t depth, double x,
                                             const swftk::CSwfColorTransform& colorTransform) {
  swftk::CSwfStream body;
  body.WriteUI16(1);
  body.WriteUI16(depth);
  SwfMatrix(Transform2D::Translation(x, 0))->Write(body);
  body.FlushBits();
  colorTransform.Write(body);
  body.FlushBits();
  return RawTag(swftk::tagcode::kPlaceObject, body.GetBytes());
}

// Version 1 placements of a cyan square: at depth 1, removed again, at depths 3 and 4 moved
// 10 and 20 pixels on.
void FirstVersionPlacements(TestMovie& movie) {
  swftk::CSwfColorTransform blueAndRed;  // keeps only blue, adds red
  blueAndRed.blueMult = 256;
  blueAndRed.redAdd = 255;
  // A full tint: multiplier terms present and all zero, so only the added green shows.
  swftk::CSwfColorTransform fullTint;
  fullTint.hasMultTerms = true;
  fullTint.greenAdd = 255;
  movie.Add(FilledRect(1, {0, 255, 255, 255}, 0, 0, 200, 200));
  movie.Add(std::make_unique<swftk::CSwfPlaceObject>(1, 1));
  movie.Add(PlaceObject1(3, 200, blueAndRed), PlaceObject1(4, 400, fullTint));
  movie.Add(std::make_unique<swftk::CSwfRemoveObject>(1, 1));
}

// A hairline down x = 10.5 pixels and a 5-pixel red line down x = 30, y 5..35.
std::unique_ptr<swftk::CSwfDefineShape> Lines() {
  ShapeBuilder shape(1);
  shape.LineStyle(0, kBlack).LineStyle(100, kRed);
  shape.Select(-1, -1, 1).MoveTo(210, 100).LineTo(210, 700);
  return shape.Select(-1, -1, 2).MoveTo(600, 100).LineTo(600, 700).Build();
}

// Buttons 5 and 6 of each kind showing red square 1 when up and blue square 2, 10 pixels
// on, when over or down; the second placed 20 pixels down.
void Buttons(TestMovie& movie) {
  movie.Add(FilledRect(1, kRed, 0, 0, 200, 200), FilledRect(2, kBlue, 0, 0, 200, 200));
  for (const uint16_t code : {kDefineButton, kDefineButton2}) {
    auto button = code == kDefineButton ? std::make_unique<swftk::CSwfDefineButton>()
                                        : std::make_unique<swftk::CSwfDefineButton2>();
    button->characterId = code == kDefineButton ? 5 : 6;
    for (const auto& [states, id] :
         {std::pair<uint8_t, uint16_t>{swftk::ButtonRecord::kUp | swftk::ButtonRecord::kHitTest, 1},
          {swftk::ButtonRecord::kOver | swftk::ButtonRecord::kDown, 2}}) {
      auto record = std::make_unique<swftk::ButtonRecord>();
      record->states = states;
      record->characterId = record->depth = id;
      record->matrix = SwfMatrix(Transform2D::Translation(id == 1 ? 0 : 200, 0));
      if (code == kDefineButton2)
        record->colorTransform = std::make_unique<swftk::CSwfColorTransformAlpha>();
      button->AddRecord(std::move(record));
    }
    const uint16_t id = button->characterId;
    movie.Add(std::move(button), Place(id, id, Transform2D::Translation(0, (id - 5) * 400)));
  }
}

// A 2 x 1 bitmap, red then blue, each pixel 20 stage pixels wide, filling x 0..80 pixels.
void BitmapStripe(TestMovie& movie, bool repeat) {
  movie.Add(RawTag(20, LosslessBody(5, 2, 1, {0, 255, 0, 0, /**/ 0, 0, 0, 255})));
  ShapeBuilder shape(1);
  shape.BitmapFill(7, Transform2D::Scale(400, 400), repeat).Select(-1, 1);
  movie.Add(shape.Rectangle(0, 0, 1600, 400).Build(), Place(1, 1));
}

// Glyph 0: a square of half an em standing on the baseline; glyph 1: a bar a quarter em wide
// and a whole em high.
std::unique_ptr<swftk::CSwfDefineFont> SquareFont() {
  std::vector<std::unique_ptr<swftk::CSwfShape>> glyphs;
  glyphs.push_back(GlyphShape({{0, -512, 512, 0}}));
  glyphs.push_back(GlyphShape({{0, -1024, 256, 0}}));
  return DefineFont(1, std::move(glyphs));
}

// 'A' is 600 wide with advance 800, the space has no outline and advance 400; a field of
// height 1024 lays the em square out 1:1 in twips.
std::unique_ptr<swftk::CSwfDefineFont2> LayoutFont() {
  return DefineFont2(
      1, {{'A', {{0, -700, 600, 0}}, 800}, {' ', {}, 400}, {'B', {{0, -700, 600, 0}}, 1000}}, 900,
      300);
}

void ExpectPixels(const std::vector<PixelCase>& cases) {
  for (const PixelCase& c : cases) {
    TestMovie movie(80, 80);
    c.build(movie);
    const auto image = RenderFrameOf(movie.Frame().Load(c.version), 1, c.scale);
    ASSERT_TRUE(image) << c.name;
    for (const Probe& p : c.probes) {
      const Rgba got = PixelAt(*image, p.x, p.y);
      EXPECT_LE(ColorDistance(got, p.color), p.tolerance)
          << c.name << ": at (" << p.x << ", " << p.y << ") got " << int{got.r} << "," << int{got.g}
          << "," << int{got.b} << " alpha " << int{got.a};
    }
  }
}

TEST(Pixels, ShapesFillsLinesClipsAndTransforms) {
  ExpectPixels({
      {"filled rectangle x 10.5..30, y 10..30",
       [](TestMovie& m) { m.Add(FilledRect(1, kRed, 210, 200, 600, 600), Place(1, 1)); },
       {At(20, 20, kRed), At(29, 29, kRed), At(5, 5, kWhite), At(30, 20, kWhite),
        At(20, 30, kWhite), At(10, 20, kPink)}},
      {"an inner contour running the other way cuts a hole",
       [](TestMovie& m) {
         ShapeBuilder s(1);
         s.SolidFill(kBlue).Select(-1, 1).Rectangle(100, 100, 700, 700);
         s.MoveTo(300, 300).LineTo(300, 500).LineTo(500, 500).LineTo(500, 300).LineTo(300, 300);
         m.Add(s.Build(), Place(1, 1));
       },
       {At(7, 20, kBlue), At(20, 7, kBlue), At(20, 20, kWhite), At(16, 16, kWhite),
        At(2, 2, kWhite)}},
      {"an edge at x 20.5 with red on its right hand and blue on its left leaves no seam",
       [](TestMovie& m) {
         ShapeBuilder s(1);
         s.SolidFill(kRed).SolidFill(kBlue).MoveTo(410, 200).Select(2, 1).LineTo(410, 600);
         s.Select(0, 1).LineTo(0, 600).LineTo(0, 200).LineTo(410, 200);
         s.Select(0, 2).LineTo(800, 200).LineTo(800, 600).LineTo(410, 600);
         m.Add(s.Build(), Place(1, 1));
       },
       {At(10, 20, kRed), At(30, 20, kBlue), At(20, 5, kWhite),
        At(20, 20, Rgba{128, 0, 128, 255})}},
      {"fill 0 edges run anticlockwise round their region",
       [](TestMovie& m) {
         ShapeBuilder s(1);
         s.SolidFill(kGreen).Select(1, -1).MoveTo(200, 200).LineTo(200, 600);
         s.LineTo(600, 600).LineTo(600, 200).LineTo(200, 200);
         m.Add(s.Build(), Place(1, 1));
       },
       {At(20, 20, kGreen), At(5, 20, kWhite)}},
      {"edges drawn one by one in any order join into one region",
       [](TestMovie& m) {
         ShapeBuilder s(1);
         s.SolidFill(kRed).Select(-1, 1).MoveTo(600, 600).LineTo(200, 600);
         s.MoveTo(200, 200).LineTo(600, 200).MoveTo(200, 600).LineTo(200, 200);
         m.Add(s.MoveTo(600, 200).LineTo(600, 600).Build(), Place(1, 1));
       },
       {At(20, 20, kRed), At(5, 20, kWhite), At(35, 20, kWhite)}},
      {"new styles number from 1 again and draw above the earlier layer's lines",
       [](TestMovie& m) {
         ShapeBuilder s(1);
         s.SolidFill(kRed).LineStyle(100, kGreen).Select(-1, 1, 1).Rectangle(0, 0, 400, 400);
         s.NewStyles().SolidFill(kBlue).SolidFill(kRed).Select(-1, 1, 0);
         m.Add(s.Rectangle(400, 0, 800, 400).Build(), Place(1, 1));
       },
       {At(10, 10, kRed), At(30, 10, kBlue), At(18, 10, kGreen), At(21, 10, kBlue)}},
      {"style numbers past the styles draw nothing (two styles, number 3)",
       [](TestMovie& m) {
         ShapeBuilder s(1);
         s.SolidFill(kRed).SolidFill(kRed).LineStyle(100, kRed).LineStyle(100, kRed);
         m.Add(s.Select(-1, 3, 3).Rectangle(0, 0, 800, 800).Build(), Place(1, 1));
       },
       {At(20, 20, kWhite)}},
      {"a linear gradient runs across its square and not along y",
       [](TestMovie& m) {
         const double s = 800.0 / 32768.0;  // the gradient square onto x 0..800 twips
         ShapeBuilder shape(1);
         shape.LinearGradient({s, 0, 0, s, 400, 400}, kRed, kBlue).Select(-1, 1);
         m.Add(shape.Rectangle(0, 0, 800, 800).Build(), Place(1, 1));
       },
       {At(0, 20, kRed, 10), At(39, 20, kBlue, 10), At(20, 20, Rgba{125, 0, 130, 255}, 6),
        At(20, 2, Rgba{125, 0, 130, 255}, 6)}},
      {"a radial gradient spreads from its centre and pads beyond",
       [](TestMovie& m) {
         const double s = 400.0 / 16384.0;
         ShapeBuilder shape(1);
         shape.RadialGradient({s, 0, 0, s, 400, 400}, kWhite, kBlack).Select(-1, 1);
         m.Add(shape.Rectangle(0, 0, 800, 800).Build(), Place(1, 1));
       },
       {At(20, 20, kWhite, 15), At(30, 20, Rgba{128, 128, 128, 255}, 12), At(0, 0, kBlack),
        At(39, 39, kBlack)}},
      {"a hairline is a pixel wide, a 5-pixel line 27.5..32.5 with round caps",
       [](TestMovie& m) { m.Add(Lines(), Place(1, 1)); },
       {At(10, 20, kBlack), At(9, 20, kWhite), At(11, 20, kWhite), At(28, 20, kRed),
        At(31, 20, kRed), At(27, 20, kPink), At(26, 20, kWhite), At(33, 20, kWhite),
        At(30, 36, kRed)}},
      {"at a tenth of the size a hairline still darkens a whole pixel (to 140 or less)",
       [](TestMovie& m) { m.Add(Lines(), Place(1, 1)); },
       {At(1, 2, Rgba{70, 70, 70, 255}, 70)},
       4,
       0.1},
      {"a curve passing (600, 600) follows its control point",
       [](TestMovie& m) {
         ShapeBuilder s(1);
         s.SolidFill(kBlue).Select(-1, 1).MoveTo(0, 0).LineTo(800, 0).CurveTo(800, 800, 0, 800);
         m.Add(s.LineTo(0, 0).Build(), Place(1, 1));
       },
       {At(5, 5, kBlue), At(28, 28, kBlue), At(29, 29, kBlue), At(31, 31, kWhite),
        At(38, 38, kWhite)}},
      {"a clip layer masks depths 2 and 3 with a sharp edge and never shows itself",
       [](TestMovie& m) {
         m.Add(FilledRect(1, kBlack, 0, 0, 400, 800), FilledRect(2, kRed, 0, 0, 800, 400),
               FilledRect(3, kBlue, 0, 400, 800, 800), FilledRect(4, kGreen, 600, 600, 800, 800));
         m.Add(Place(1, 1, {}, std::nullopt, 3), Place(2, 2), Place(3, 3), Place(4, 4));
       },
       {At(10, 10, kRed), At(10, 30, kBlue), At(25, 10, kWhite), At(25, 25, kWhite),
        At(35, 35, kGreen), At(19, 10, kRed), At(20, 10, kWhite)}},
      {"colour transforms multiply, add and blend",
       [&](TestMovie& m) {
         m.Add(FilledRect(1, kRed, 0, 0, 400, 800),
               Place(1, 1, {}, Tint({128, 256, 256, 256}, {0, 0, 255, 0})));
         m.Add(Place(1, 2, Transform2D::Translation(400, 0), Tint({256, 256, 256, 128})));
       },
       {At(10, 20, Rgba{128, 0, 255, 255}), At(30, 20, Rgba{255, 127, 127, 255})}},
      {"nested sprites compose matrices and colour transforms: x 20..30, y 10..20",
       [](TestMovie& m) {
         // The shape is 0..100 twips; the inner sprite moves it by 100, the outer doubles it
         // and the stage moves it by (200, 200).
         m.Add(FilledRect(1, kRed, 0, 0, 100, 100));
         m.Add(Sprite(10, TagList(Place(1, 1, Transform2D::Translation(100, 0),
                                        Tint({256, 256, 256, 256}, {0, 100, 0, 0})),
                                  ShowFrame())));
         m.Add(Sprite(11, TagList(Place(10, 1, Transform2D::Scale(2, 2)), ShowFrame())));
         m.Add(Place(11, 1, Transform2D::Translation(200, 200), Tint({128, 256, 256, 256})));
       },
       {At(20, 10, Rgba{128, 100, 0, 255}), At(29, 19, Rgba{128, 100, 0, 255}), At(19, 15, kWhite),
        At(30, 15, kWhite), At(25, 20, kWhite)}},
      {"a quarter turn about the origin, then moved: x 25..30, y 5..25",
       [](TestMovie& m) {
         m.Add(FilledRect(1, kBlue, 0, 0, 400, 100), Place(1, 1, {0, 1, -1, 0, 600, 100}));
       },
       {At(27, 7, kBlue), At(27, 23, kBlue), At(23, 15, kWhite), At(31, 15, kWhite),
        At(27, 27, kWhite)}},
  });
}

TEST(Pixels, OldPlacementsButtonsBitmapsAndTexts) {
  ExpectPixels({
      {"PlaceObject and RemoveObject of version 1, with a colour transform and a full tint",
       [](TestMovie& m) { FirstVersionPlacements(m); },
       {At(15, 5, Rgba{255, 0, 255, 255}), At(25, 5, kGreen), At(5, 5, kWhite)},
       1},
      {"DefineButton and DefineButton2 show their up state",
       Buttons,
       {At(5, 5, kRed), At(15, 5, kWhite), At(5, 25, kRed), At(15, 25, kWhite)}},
      {"a repeating bitmap fill repeats (smoothed, so only the middles are unmixed)",
       [](TestMovie& m) { BitmapStripe(m, true); },
       {At(10, 10, kRed, 8), At(30, 10, kBlue, 8), At(50, 10, kRed, 8)}},
      {"a clipped bitmap fill extends its edges",
       [](TestMovie& m) { BitmapStripe(m, false); },
       {At(10, 10, kRed, 8), At(30, 10, kBlue, 8), At(50, 10, kBlue, 8)}},
      {"bitmap fills follow the colour transform; a missing bitmap paints nothing",
       [](TestMovie& m) {
         m.Add(RawTag(36, LosslessBody(5, 1, 1, {255, 255, 0, 0})));
         ShapeBuilder there(1);
         there.BitmapFill(7, Transform2D::Scale(400, 400), true).Select(-1, 1);
         ShapeBuilder missing(2);
         missing.BitmapFill(99, Transform2D::Scale(400, 400), true).Select(-1, 1);
         m.Add(there.Rectangle(0, 0, 400, 400).Build(),
               missing.Rectangle(400, 0, 800, 400).Build());
         m.Add(Place(1, 1, {}, Tint({0, 256, 256, 256}, {0, 255, 0, 0})), Place(2, 2));
       },
       {At(10, 10, kGreen), At(30, 10, kWhite)}},
      {"DefineText glyphs stand on the baseline at their advances: at height 400 twips from "
       "(100, 600) the square x 5..15, y 20..30 pixels, the bar x 20..25, y 10..30",
       [](TestMovie& m) {
         m.Add(SquareFont(),
               DefineText(2, kDefineText, {{kRed, 100, 600, 400, {{0, 300}, {1, 0}}}}),
               Place(2, 1));
       },
       {At(10, 25, kRed), At(22, 15, kRed), At(17, 25, kWhite), At(10, 18, kWhite),
        At(22, 31, kWhite)}},
      {"DefineText2 colours carry alpha, and colour transforms apply to texts",
       [](TestMovie& m) {
         const TextRun halfRed{{255, 0, 0, 128}, 100, 600, 400, {{0, 0}}};
         m.Add(SquareFont(), DefineText(2, kDefineText2, {halfRed}));
         m.Add(Place(2, 1),
               Place(2, 2, Transform2D::Translation(400, 0), Tint({128, 256, 256, 256})));
       },
       {At(10, 25, Rgba{255, 127, 127, 255}), At(30, 25, Rgba{191, 127, 127, 255})}},
      {"a field draws inside its bounds only: the second 'A' is cut at 70 pixels",
       [](TestMovie& m) {
         // 'A' at x 40..640, y 240..940 twips, the second from 840.
         m.Add(LayoutFont(), EditText(2, kRed, 0, 0, 1400, 1600, 1024, "AA"), Place(2, 1));
       },
       {At(20, 30, kRed), At(50, 30, kRed), At(36, 30, kWhite), At(69, 30, kRed),
        At(71, 30, kWhite)}},
  });
}

TEST(StaticText, FontInfoNamesTheFontAndMapsItsCodes) {
  auto info = std::make_unique<swftk::CSwfDefineFontInfo>();
  info->Set(1, "Squares", swftk::CSwfDefineFontInfo::kAnsi, std::string_view("ab"));
  TestMovie movie(20, 20);
  const auto loaded = movie.Add(SquareFont(), std::move(info)).Frame().Load();
  const CKV_FontCharacter* font = loaded->characters.FindFont(1);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->name, "Squares");
  EXPECT_EQ(font->GlyphForCode('b'), 1);
}

struct FieldCase {
  const char* name;
  std::string text;
  struct {
    uint8_t align;
    uint16_t leftMargin, rightMargin, indent;
    int16_t leading;
    bool wordWrap;
  } layout;
  // Pen positions "x,baseline" of the glyphs drawn, in the field's twips.
  const char* pens;
};

TEST(FieldLayout, PlacesGlyphsByAlignmentMarginsIndentAndLeading) {
  // Bounds 0..4080 twips: 4000 inside the 40-twip padding on each side. First baseline at
  // 40 + ascent 900; lines 900 + 300 + leading apart.
  const FieldCase cases[] = {
      {"left", "AB", {}, "40,940 840,940"},
      {"left margin and indent", "A", {0, 100, 0, 50, 0, false}, "190,940"},
      {"right", "AB", {1, 0, 0, 0, 0, false}, "2240,940 3040,940"},
      {"right with a right margin", "A", {1, 0, 300, 0, 0, false}, "2940,940"},
      {"centre", "AB", {2, 0, 0, 0, 0, false}, "1140,940 1940,940"},
      {"lines from CR, LF and CR LF",
       "A\rB\r\nA\nB",
       {0, 0, 0, 0, 100, false},
       "40,940 40,2240 40,3540 40,4840"},
      {"negative leading", "A\nA", {0, 0, 0, 0, -200, false}, "40,940 40,1940"},
      {"indent only on a paragraph's first line",
       "AAAA AAAA",
       {0, 0, 0, 500, 0, true},
       "540,940 1340,940 2140,940 2940,940 40,2140 840,2140 1640,2140 2440,2140"},
      {"word wrap breaks at the last space",
       "AA AA AA",
       {0, 0, 0, 0, 0, true},
       "40,940 840,940 2040,940 2840,940 40,2140 840,2140"},
      {"a word wider than the field breaks where it must",
       "AAAAAAA",
       {0, 0, 0, 0, 0, true},
       "40,940 840,940 1640,940 2440,940 3240,940 40,2140 840,2140"},
      {"justify spreads the spaces of wrapped lines",
       "AA AA AA",
       {3, 0, 0, 0, 0, true},
       "40,940 840,940 2440,940 3240,940 40,2140 840,2140"},
      {"without word wrap a line runs on",
       "AAAAAA",
       {},
       "40,940 840,940 1640,940 2440,940 3240,940 4040,940"},
  };
  const CKV_FontCharacter font(*LayoutFont());
  for (const FieldCase& c : cases) {
    swftk::CSwfDefineEditText define;
    define.characterId = 2;
    define.bounds = std::make_unique<swftk::CSwfRect>(0, 4080, 0, 8000);
    define.SetFont(1, 1024);
    const auto& l = c.layout;
    define.SetLayout(l.align, l.leftMargin, l.rightMargin, l.indent,
                     static_cast<uint16_t>(l.leading));
    define.flags |= swftk::CSwfDefineEditText::kMultiline;
    if (l.wordWrap) define.flags |= swftk::CSwfDefineEditText::kWordWrap;
    const CKV_EditTextCharacter field(define, &font);
    std::ostringstream pens;
    for (const PlacedGlyph& glyph : LayOutFieldText(field, font, c.text)) {
      EXPECT_EQ(glyph.transform.a, 1.0) << c.name;
      pens << (pens.tellp() > 0 ? " " : "") << glyph.transform.tx << ',' << glyph.transform.ty;
    }
    EXPECT_EQ(pens.str(), c.pens) << c.name;
  }
}

TEST(FieldLayout, HtmlIsReducedToTextAndPasswordsAreHidden) {
  swftk::CSwfDefineEditText define;
  define.flags = 0x0002 | swftk::CSwfDefineEditText::kPassword;
  const CKV_EditTextCharacter password(define, nullptr);
  EXPECT_EQ(DisplayedFieldText(password, "<p align=\"left\"><b>a&amp;b</b></p><p>c&lt;</p>"),
            "***\n**");
  define.flags = 0x0002;
  const CKV_EditTextCharacter html(define, nullptr);
  EXPECT_EQ(DisplayedFieldText(html, "x<br>y &unknown; &gt;"), "x\ny &unknown; >");
}

}  // namespace
}  // namespace player::test
