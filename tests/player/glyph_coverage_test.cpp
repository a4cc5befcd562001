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

constexpr int kStage = 400;
// The pen: 40 pixels in, the baseline 300 pixels down; the glyph cell 128 pixels high.
constexpr int kPenX = 40;
constexpr int kBaseline = 300;
constexpr int kCellPixels = 128;

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

// An installed face and FreeType's em for it in 26.6 fixed point: the design cell of 1024 units
// holds the em less the internal leading.
struct Face {
  explicit Face(const char* name) {
    request.lfWeight = glyphs::kWeightNormal;
    request.SetFaceName(name);
    const auto font = service.CreateFont(request);
    installed = font && font->GetFaceName() == name;
    if (!installed) return;
    const glyphs::TextMetrics metrics = font->GetTextMetrics();
    emSize = std::lround(kCellPixels * 64.0 * (metrics.height - metrics.internalLeading) / 1024);
  }
  glyphs::FontRequest request;
  glyphs::CKV_SystemFontService service;
  bool installed = false;
  FT_F26Dot6 emSize = 0;
};

// The spot where the player's drawing of a glyph differs from FreeType's, if any.
std::optional<std::pair<int, int>> SpotOf(const TestMovie& movie, uint8_t version, Face& face,
                                          uint8_t code) {
  return DifferingSpot(*RenderFrameOf(movie.Load(version), 1),
                       FreeTypeCoverage(face.request, code, face.emSize));
}

// Every glyph of Windows-1252, converted as a movie embeds it and drawn by the player at a
// cell of 128 pixels, covers what FreeType draws for it: overlapping parts of a glyph must not
// cancel out. TrueType faces and a CFF one.
class WholeGlyphs : public testing::TestWithParam<const char*> {};

TEST_P(WholeGlyphs, DrawLikeFreeType) {
  Face face(GetParam());
  ASSERT_TRUE(face.installed) << GetParam() << " is not installed";
  glyphs::CSwfTrueTypeHelper helper;
  for (int code = 0; code < 256; ++code) {
    if (!glyphs::IsPrintableWindows1252(static_cast<uint8_t>(code)) || code == ' ') continue;
    auto defineFont = helper.BuildDefineFont(face.service, face.request, std::string(1, code), 1);
    ASSERT_TRUE(defineFont);
    TestMovie movie(kStage, kStage);
    movie.Add(std::move(defineFont),
              DefineText(2, tagcode::kDefineText,
                         {{kBlack, kPenX * 20, kBaseline * 20, kCellPixels * 20, {{0, 0}}}}));
    const auto spot = SpotOf(movie.Add(Place(2, 1)).Frame(), 3, face, static_cast<uint8_t>(code));
    EXPECT_FALSE(spot) << GetParam() << " code " << code << " differs at (" << spot->first << ", "
                       << spot->second << ")";
  }
}

// The same glyphs from DefineFont2 in a text field, which scales the cell to its height and puts
// the first baseline the font's ascent below its top and padding.
TEST(GlyphCoverage, FieldGlyphsFromDefineFont2DrawLikeFreeType) {
  Face face("Liberation Sans");
  ASSERT_TRUE(face.installed) << "Liberation Sans is not installed";
  glyphs::CSwfTrueTypeHelper helper;
  for (const uint8_t code : {'g', 'O', '8', '&', 'e', 'W'}) {
    const std::string text(1, static_cast<char>(code));
    auto font = helper.BuildDefineFont2(face.service, face.request, text, 1);
    ASSERT_TRUE(font);
    const int top = kBaseline * 20 - 40 - static_cast<int>(std::lround(font->ascent * 2.5));
    TestMovie movie(kStage, kStage);
    movie.Add(std::move(font), EditText(2, kBlack, kPenX * 20 - 40, top, kStage * 20, kStage * 20,
                                        kCellPixels * 20, text));
    const auto spot = SpotOf(movie.Add(Place(2, 1)).Frame(), 4, face, code);
    EXPECT_FALSE(spot) << "'" << code << "' differs at (" << spot->first << ", " << spot->second
                       << ")";
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
