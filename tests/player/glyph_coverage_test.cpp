// Glyphs of an installed font, embedded as SWF fonts, cover the pixels FreeType draws for them.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "glyphs/font_matcher.h"
#include "glyphs/system_font_service.h"
#include "swftk/edit_text.h"
#include "test_fonts.h"
#include "test_movie.h"

namespace player::test {
namespace {

using namespace swftk;

constexpr int kEmPixels = 256;
constexpr int kStage = 400;
// The pen: 40 pixels in, the baseline 300 pixels down.
constexpr int kPenX = 40;
constexpr int kBaseline = 300;
constexpr double kFixedOne = 65536.0;

int32_t EmUnits(glyphs::Fixed16 value) {
  return static_cast<int32_t>(std::lround(value / kFixedOne));
}

// The glyph's native outline as SWF glyph records in em units, y downwards, fill style 0.
std::unique_ptr<CSwfShape> GlyphFromOutline(const glyphs::GlyphOutline& outline) {
  auto shape = std::make_unique<CSwfShape>();
  shape->SetStyleBits(1, 0);
  int32_t x = 0;
  int32_t y = 0;
  const auto lineTo = [&](int32_t toX, int32_t toY) {
    auto edge = std::make_unique<CSwfStraightEdgeShapeRecord>();
    edge->Init(toX - x, toY - y, CSwfStraightEdgeShapeRecord::kGeneral);
    shape->records.push_back(std::move(edge));
    x = toX;
    y = toY;
  };
  bool first = true;
  for (const glyphs::OutlinePolygon& polygon : outline.polygons) {
    const int32_t startX = EmUnits(polygon.start.x);
    const int32_t startY = -EmUnits(polygon.start.y);
    auto move = std::make_unique<CSwfStyleChangeShapeRecord>();
    move->Init(
        CSwfStyleChangeShapeRecord::kMoveTo | (first ? CSwfStyleChangeShapeRecord::kFillStyle0 : 0),
        shape.get());
    move->moveDeltaX = x = startX;
    move->moveDeltaY = y = startY;
    move->fillStyle0 = 1;
    shape->records.push_back(std::move(move));
    first = false;
    for (const glyphs::OutlineCurve& curve : polygon.curves) {
      const auto& points = curve.points;
      if (curve.type != glyphs::kCurveQSpline) {
        for (const glyphs::OutlinePoint& point : points)
          lineTo(EmUnits(point.x), -EmUnits(point.y));
        continue;
      }
      for (size_t i = 0; i + 1 < points.size(); ++i) {
        const bool last = i + 2 == points.size();
        const double controlX = points[i].x / kFixedOne;
        const double controlY = -points[i].y / kFixedOne;
        const double anchorX =
            last ? points[i + 1].x / kFixedOne : (controlX + points[i + 1].x / kFixedOne) / 2;
        const double anchorY =
            last ? -points[i + 1].y / kFixedOne : (controlY - points[i + 1].y / kFixedOne) / 2;
        const auto cx = static_cast<int32_t>(std::lround(controlX));
        const auto cy = static_cast<int32_t>(std::lround(controlY));
        const auto ax = static_cast<int32_t>(std::lround(anchorX));
        const auto ay = static_cast<int32_t>(std::lround(anchorY));
        auto edge = std::make_unique<CSwfCurvedEdgeShapeRecord>();
        edge->Init(cx - x, cy - y, ax - cx, ay - cy);
        shape->records.push_back(std::move(edge));
        x = ax;
        y = ay;
      }
    }
    if (x != startX || y != startY) lineTo(startX, startY);
  }
  shape->records.push_back(std::make_unique<CSwfEndOfShapeRecord>());
  return shape;
}

glyphs::FontRequest Arial() {
  glyphs::FontRequest request;
  request.lfHeight = -1024;
  request.lfWeight = glyphs::kWeightNormal;
  request.SetFaceName("Arial");
  return request;
}

// FreeType's own antialiased rendering of the glyph at the pen, as coverage per pixel.
std::vector<uint8_t> FreeTypeCoverage(uint8_t code) {
  std::vector<uint8_t> coverage(kStage * kStage, 0);
  const std::optional<glyphs::MatchedFace> matched = glyphs::MatchFace(Arial());
  if (!matched) {
    ADD_FAILURE() << "no font installed";
    return coverage;
  }
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  EXPECT_EQ(FT_Init_FreeType(&library), 0);
  EXPECT_EQ(FT_New_Face(library, matched->file.c_str(), matched->index, &face), 0);
  FT_Set_Pixel_Sizes(face, 0, kEmPixels);
  EXPECT_EQ(FT_Load_Char(face, code, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP), 0);
  EXPECT_EQ(FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL), 0);
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    for (unsigned column = 0; column < bitmap.width; ++column) {
      const int x = kPenX + face->glyph->bitmap_left + static_cast<int>(column);
      const int y = kBaseline - face->glyph->bitmap_top + static_cast<int>(row);
      if (x >= 0 && y >= 0 && x < kStage && y < kStage)
        coverage[y * kStage + x] = bitmap.buffer[row * bitmap.pitch + column];
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return coverage;
}

// Black text on white: the coverage is what the text took away from the white.
std::vector<uint8_t> PlayerCoverage(const CKV_Image& image) {
  std::vector<uint8_t> coverage(kStage * kStage, 0);
  for (int y = 0; y < kStage; ++y)
    for (int x = 0; x < kStage; ++x) coverage[y * kStage + x] = 255 - PixelAt(image, x, y).r;
  return coverage;
}

// The share of ink the two renderings have in common: sum of the smaller coverage over sum
// of the larger.
double Overlap(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  double common = 0;
  double either = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    common += std::min(a[i], b[i]);
    either += std::max(a[i], b[i]);
  }
  return either > 0 ? common / either : 0;
}

std::unique_ptr<CKV_Image> DefineFontRendering(const glyphs::GlyphOutline& outline) {
  std::vector<std::unique_ptr<CSwfShape>> glyphShapes;
  glyphShapes.push_back(GlyphFromOutline(outline));
  TestMovie movie(kStage, kStage);
  movie.Add(DefineFont(1, std::move(glyphShapes)));
  movie.Add(
      DefineText(2, tagcode::kDefineText,
                 {{1, {0, 0, 0, 255}, kPenX * 20, kBaseline * 20, kEmPixels * 20, {{0, 0}}}}));
  movie.Add(Place(2, 1)).Frame();
  return RenderFrameOf(movie.Load(3), 1);
}

std::unique_ptr<CKV_Image> DefineFont2Rendering(const glyphs::GlyphOutline& outline, uint8_t code) {
  // Ascent 900 at 5 twips per em unit puts the first baseline 40 + 4500 twips below the top.
  auto font = std::make_unique<CSwfDefineFont2>();
  font->characterId = 1;
  font->flags = CSwfDefineFont2::kHasLayout | CSwfDefineFont2::kAnsi;
  font->ascent = 900;
  font->descent = 124;
  font->glyphs.push_back(GlyphFromOutline(outline));
  font->codes.push_back(code);
  font->advances.push_back(1024);
  font->bounds.push_back(std::make_unique<CSwfRect>());
  auto field = std::make_unique<CSwfDefineEditText>();
  field->Init(2, std::make_unique<CSwfColorAlpha>(0, 0, 0, 255), "letter");
  field->bounds = std::make_unique<CSwfRect>(kPenX * 20 - 40, kStage * 20,
                                             kBaseline * 20 - 40 - 4500, kStage * 20);
  field->SetFont(1, kEmPixels * 20);
  field->SetInitialText(std::string(1, static_cast<char>(code)));
  field->flags |= CSwfDefineEditText::kUseOutlines;
  TestMovie movie(kStage, kStage);
  movie.Add(std::move(font)).Add(std::move(field)).Add(Place(2, 1)).Frame();
  return RenderFrameOf(movie.Load(4), 1);
}

TEST(GlyphCoverage, EmbeddedGlyphsCoverWhatFreeTypeDraws) {
  glyphs::CKV_SystemFontService service;
  const auto font = service.CreateFont(Arial());
  ASSERT_TRUE(font) << "no font installed";
  for (const uint8_t code : {'g', 'O', '8', '&', 'e', 'W'}) {
    glyphs::GlyphOutline outline;
    ASSERT_TRUE(font->GetGlyphOutline(code, outline));
    const std::vector<uint8_t> reference = FreeTypeCoverage(code);
    const double fromDefineFont = Overlap(PlayerCoverage(*DefineFontRendering(outline)), reference);
    const double fromDefineFont2 =
        Overlap(PlayerCoverage(*DefineFont2Rendering(outline, code)), reference);
    EXPECT_GE(fromDefineFont, 0.98) << "'" << code << "' from DefineFont and DefineText";
    EXPECT_GE(fromDefineFont2, 0.98) << "'" << code << "' from DefineFont2 and DefineEditText";
    RecordProperty(std::string("overlap_") + static_cast<char>(code),
                   std::to_string(std::min(fromDefineFont, fromDefineFont2)));
  }
}

}  // namespace
}  // namespace player::test
