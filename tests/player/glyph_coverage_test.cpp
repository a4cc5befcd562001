// Glyphs of an installed font, embedded as SWF fonts, cover the pixels FreeType draws for them.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "glyphs/font_matcher.h"
#include "glyphs/system_font_service.h"
#include "glyphs/truetype_helper.h"
#include "glyphs/windows1252.h"
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

int32_t EmUnits(double fixed) {
  return static_cast<int32_t>(std::lround(fixed / kFixedOne));
}

// The glyph's native outline as SWF glyph records in em units, y downwards.
std::unique_ptr<CSwfShape> GlyphFromOutline(const glyphs::GlyphOutline& outline) {
  ShapeBuilder glyph;
  glyph.Select(1, -1);
  for (const glyphs::OutlinePolygon& polygon : outline.polygons) {
    glyph.MoveTo(EmUnits(polygon.start.x), -EmUnits(polygon.start.y));
    for (const glyphs::OutlineCurve& curve : polygon.curves) {
      const auto& p = curve.points;
      for (size_t i = 0; i < p.size(); ++i) {
        if (curve.type != glyphs::kCurveQSpline) {
          glyph.LineTo(EmUnits(p[i].x), -EmUnits(p[i].y));
        } else if (i + 1 < p.size()) {
          // Between two control points the spline passes their midpoint.
          const bool last = i + 2 == p.size();
          const double x = last ? p[i + 1].x : (p[i].x + p[i + 1].x) / 2.0;
          const double y = last ? p[i + 1].y : (p[i].y + p[i + 1].y) / 2.0;
          glyph.CurveTo(EmUnits(p[i].x), -EmUnits(p[i].y), EmUnits(x), -EmUnits(y));
        }
      }
    }
    glyph.Close();
  }
  return glyph.BuildGlyph();
}

glyphs::FontRequest Arial() {
  glyphs::FontRequest request;
  request.lfHeight = -1024;
  request.lfWeight = glyphs::kWeightNormal;
  request.SetFaceName("Arial");
  return request;
}

// FreeType's own antialiased rendering of the glyph at the pen, as coverage per pixel, at an
// em of `emSize` pixels in 26.6 fixed point.
std::vector<uint8_t> FreeTypeCoverage(const glyphs::FontRequest& request, uint8_t code,
                                      FT_F26Dot6 emSize) {
  std::vector<uint8_t> coverage(kStage * kStage, 0);
  const std::optional<glyphs::MatchedFace> matched = glyphs::MatchFace(request);
  if (!matched) {
    ADD_FAILURE() << "no font installed";
    return coverage;
  }
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  EXPECT_EQ(FT_Init_FreeType(&library), 0);
  EXPECT_EQ(FT_New_Face(library, matched->file.c_str(), matched->index, &face), 0);
  FT_Set_Char_Size(face, 0, emSize, 72, 72);
  EXPECT_EQ(FT_Load_Char(face, glyphs::Windows1252ToUnicode(code),
                         FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP),
            0);
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

// Ink of the player's rendering, black text on white.
int InkAt(const CKV_Image& image, int x, int y) {
  return 255 - PixelAt(image, x, y).r;
}

// The share of ink the player's rendering, black text on white, has in common with
// FreeType's: sum of the smaller coverage over sum of the larger.
double Overlap(const CKV_Image& image, const std::vector<uint8_t>& reference) {
  double common = 0;
  double either = 0;
  for (int i = 0; i < kStage * kStage; ++i) {
    const int ours = InkAt(image, i % kStage, i / kStage);
    common += std::min<int>(ours, reference[i]);
    either += std::max<int>(ours, reference[i]);
  }
  return either > 0 ? common / either : 0;
}

// The glyph drawn at the pen from DefineFont and DefineText, or from DefineFont2 and a text
// field: ascent 900 at 5 twips per em unit puts the field's first baseline 40 + 4500 twips
// below its top.
std::unique_ptr<CKV_Image> Rendering(const glyphs::GlyphOutline& outline, uint8_t code,
                                     bool font2) {
  TestMovie movie(kStage, kStage);
  if (font2) {
    auto font = DefineFont2(1, {{code, {}, 1024}}, 900, 124);
    font->glyphs[0] = GlyphFromOutline(outline);
    movie.Add(std::move(font),
              EditText(2, kBlack, kPenX * 20 - 40, kBaseline * 20 - 40 - 4500, kStage * 20,
                       kStage * 20, kEmPixels * 20, std::string(1, static_cast<char>(code))));
  } else {
    std::vector<std::unique_ptr<CSwfShape>> glyphs;
    glyphs.push_back(GlyphFromOutline(outline));
    movie.Add(DefineFont(1, std::move(glyphs)),
              DefineText(2, tagcode::kDefineText,
                         {{kBlack, kPenX * 20, kBaseline * 20, kEmPixels * 20, {{0, 0}}}}));
  }
  return RenderFrameOf(movie.Add(Place(2, 1)).Frame().Load(font2 ? 4 : 3), 1);
}

TEST(GlyphCoverage, EmbeddedGlyphsCoverWhatFreeTypeDraws) {
  glyphs::CKV_SystemFontService service;
  const auto font = service.CreateFont(Arial());
  ASSERT_TRUE(font) << "no font installed";
  for (const uint8_t code : {'g', 'O', '8', '&', 'e', 'W'}) {
    glyphs::GlyphOutline outline;
    ASSERT_TRUE(font->GetGlyphOutline(code, outline));
    const std::vector<uint8_t> reference = FreeTypeCoverage(Arial(), code, kEmPixels * 64);
    const double fromDefineFont = Overlap(*Rendering(outline, code, false), reference);
    const double fromDefineFont2 = Overlap(*Rendering(outline, code, true), reference);
    EXPECT_GE(fromDefineFont, 0.98) << "'" << code << "' from DefineFont and DefineText";
    EXPECT_GE(fromDefineFont2, 0.98) << "'" << code << "' from DefineFont2 and DefineEditText";
    RecordProperty(std::string("overlap_") + static_cast<char>(code),
                   std::to_string(std::min(fromDefineFont, fromDefineFont2)));
  }
}

// The top-left corner of a 3 x 3 spot where every pixel is mostly ink in one rendering and
// mostly paper in the other: a notch, a hole or a blot, not an edge drawn a little apart.
std::optional<std::pair<int, int>> DifferingSpot(const CKV_Image& image,
                                                 const std::vector<uint8_t>& reference) {
  const auto differs = [&](int x, int y) {
    return std::abs(InkAt(image, x, y) - reference[y * kStage + x]) >= 128;
  };
  for (int y = 0; y + 3 <= kStage; ++y) {
    for (int x = 0; x + 3 <= kStage; ++x) {
      bool all = true;
      for (int i = 0; i < 9 && all; ++i) all = differs(x + i % 3, y + i / 3);
      if (all) return std::pair{x, y};
    }
  }
  return std::nullopt;
}

// Every glyph of Windows-1252, converted as a movie embeds it and drawn by the player at a
// cell of 128 pixels, covers what FreeType draws for it: overlapping parts of a glyph must not
// cancel out. TrueType faces and a CFF one.
class WholeGlyphs : public testing::TestWithParam<const char*> {};

TEST_P(WholeGlyphs, DrawLikeFreeType) {
  constexpr int kCellPixels = 128;
  glyphs::FontRequest request;
  request.lfWeight = glyphs::kWeightNormal;
  request.SetFaceName(GetParam());
  glyphs::CKV_SystemFontService service;
  const auto font = service.CreateFont(request);
  ASSERT_TRUE(font && font->GetFaceName() == GetParam()) << GetParam() << " is not installed";
  // The design cell of 1024 units holds the em less the internal leading.
  const glyphs::TextMetrics metrics = font->GetTextMetrics();
  const double emDesign = metrics.height - metrics.internalLeading;
  const auto emSize = static_cast<FT_F26Dot6>(std::lround(kCellPixels * 64 * emDesign / 1024));

  glyphs::CSwfTrueTypeHelper helper;
  for (int code = 0; code < 256; ++code) {
    if (!glyphs::IsPrintableWindows1252(static_cast<uint8_t>(code)) || code == ' ') continue;
    auto defineFont = helper.BuildDefineFont(service, request, std::string(1, code), 1);
    ASSERT_TRUE(defineFont);
    TestMovie movie(kStage, kStage);
    movie.Add(std::move(defineFont),
              DefineText(2, tagcode::kDefineText,
                         {{kBlack, kPenX * 20, kBaseline * 20, kCellPixels * 20, {{0, 0}}}}));
    const auto image = RenderFrameOf(movie.Add(Place(2, 1)).Frame().Load(3), 1);
    const auto spot =
        DifferingSpot(*image, FreeTypeCoverage(request, static_cast<uint8_t>(code), emSize));
    EXPECT_FALSE(spot) << GetParam() << " code " << code << " differs at (" << spot->first << ", "
                       << spot->second << ")";
  }
}

INSTANTIATE_TEST_SUITE_P(InstalledFaces, WholeGlyphs,
                         testing::Values("Liberation Sans", "Liberation Serif", "Liberation Mono",
                                         "DejaVu Sans", "Nimbus Roman"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           std::erase(name, ' ');
                           return name;
                         });

}  // namespace
}  // namespace player::test
