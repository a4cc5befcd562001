// Morph shapes drawn between their two ends by the placement's ratio, JPEG bitmaps from every
// tag that carries them, and repeated letters drawn from masks kept per position phase.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "player/bitmap_character.h"
#include "player/glyph_cache.h"
#include "player/jpeg_bitmap.h"
#include "player/movie_loader.h"
#include "player/player.h"
#include "swftk/bitmap_tags.h"
#include "swftk/define_shape.h"
#include "swftk/morph_shape.h"
#include "swftk/reader.h"
#include "test_movie.h"

namespace player::test {
namespace {

// A square from (0, 0) to side twips, as morph edges.
void SetSquareEdges(swftk::CSwfShape& edges, int32_t side) {
  ShapeBuilder builder(1);
  builder.SolidFill(kRed).LineStyle(0, kBlack).Select(-1, 1, 1).Rectangle(0, 0, side, side);
  edges.CopyFrom(*builder.Build()->shape);
  edges.SetStyleBits(1, 1);
}

// Character 1: a red square 10 pixels wide with a hairline, growing to a translucent blue one
// 20 pixels wide.
std::unique_ptr<swftk::CSwfDefineMorphShape> GrowingSquare() {
  auto morph = std::make_unique<swftk::CSwfDefineMorphShape>();
  morph->characterId = 1;
  auto fill = std::make_unique<swftk::CSwfMorphFillStyle>();
  fill->startColor.Set(255, 0, 0, 255);
  fill->endColor.Set(0, 0, 255, 255);
  morph->fillStyles.styles.push_back(std::move(fill));
  morph->fillStyles.count = 1;
  auto line = std::make_unique<swftk::CSwfMorphLineStyle>();
  line->startColor.Set(0, 0, 0, 255);
  line->endColor.Set(0, 0, 0, 255);
  line->endWidth = 100;
  morph->lineStyles.styles.push_back(std::move(line));
  morph->lineStyles.count = 1;
  SetSquareEdges(morph->startEdges, 200);
  SetSquareEdges(morph->endEdges, 400);
  return morph;
}

std::unique_ptr<swftk::CSwfPlaceObject2> AtRatio(std::unique_ptr<swftk::CSwfPlaceObject2> place,
                                                 uint16_t ratio) {
  place->ratio = ratio;
  return place;
}

TEST(MorphShape, DrawsTheShapeTheRatioPicksWithItsFillAndLine) {
  TestMovie movie(40, 40);
  movie.Add(GrowingSquare(), Place(1, 1, Transform2D::Translation(100, 100))).Frame();
  movie.Add(AtRatio(Move(1, Transform2D::Translation(100, 100)), 32768)).Frame();
  movie.Add(AtRatio(Move(1, Transform2D::Translation(100, 100)), 65535)).Frame();
  const auto loaded = movie.Load();
  const Rgba kPurple{127, 0, 128, 255};
  struct Probe {
    uint32_t frame;
    int x;
    int y;
    Rgba color;
  };
  // At the start a hairline runs in the last column and row of the square and in the pixels
  // before its first ones: (5, 5) to (15, 15) filled, framed by (4..14). Halfway: 15 pixels
  // wide, half red and half blue, the line 2.5 pixels wide. At the end: 20 pixels of blue, a
  // 5-pixel black line around them.
  const Probe probes[] = {
      {1, 10, 10, kRed},   {1, 4, 10, kBlack},  {1, 14, 10, kBlack},  {1, 16, 10, kWhite},
      {1, 10, 4, kBlack},  {1, 10, 16, kWhite}, {2, 12, 12, kPurple}, {2, 16, 12, kPurple},
      {2, 20, 12, kBlack}, {2, 23, 12, kWhite}, {3, 15, 15, kBlue},   {3, 21, 15, kBlue},
      {3, 25, 15, kBlack}, {3, 29, 15, kWhite},
  };
  for (const Probe& p : probes) {
    const auto image = RenderFrameOf(loaded, p.frame);
    EXPECT_LE(ColorDistance(PixelAt(*image, p.x, p.y), p.color), 2)
        << "frame " << p.frame << " at (" << p.x << ", " << p.y << ")";
  }
}

TEST(GlyphCache, RepeatedLettersShareAMaskPerPhaseAndKeepTheirPlace) {
  // Eight squares 10 pixels wide, 12.5 pixels apart from x = 5: whole and half pixels. A larger
  // square right of the stage makes no mask.
  std::vector<std::unique_ptr<swftk::CSwfShape>> glyphs;
  glyphs.push_back(GlyphShape({{0, -512, 512, 0}}));
  TextRun run{kRed, 100, 400, 400, {}};
  for (int i = 0; i < 8; ++i) run.glyphs.emplace_back(0, 250);
  TestMovie movie(120, 30);
  movie.Add(DefineFont(1, std::move(glyphs)), DefineText(2, swftk::tagcode::kDefineText, {run}),
            DefineText(3, swftk::tagcode::kDefineText, {{kRed, 2450, 400, 300, {{0, 0}}}}),
            Place(2, 1), Place(3, 2));
  CKV_Player player(movie.Load());
  const auto image = Render(player);
  EXPECT_EQ(player.GlyphCache().Size(), 2U);
  const Rgba halfRed{255, 128, 128, 255};
  const struct {
    int x;
    Rgba color;
  } probes[] = {{4, kWhite}, {5, kRed},     {14, kRed}, {15, kWhite},  {17, halfRed},
                {18, kRed},  {27, halfRed}, {30, kRed}, {42, halfRed}, {92, halfRed}};
  for (const auto& p : probes)
    EXPECT_LE(ColorDistance(PixelAt(*image, p.x, 15), p.color), 2) << "at x = " << p.x;
  Render(player);
  EXPECT_EQ(player.GlyphCache().Size(), 2U);
}

const std::filesystem::path kCorpus = ZARN_CORPUS_DIR;

// The one bitmap a movie defines.
const CKV_BitmapCharacter* OnlyBitmap(const CKV_Movie& movie) {
  const CKV_BitmapCharacter* found = nullptr;
  for (uint32_t id = 0; id <= 0xFFFF; ++id) {
    const CKV_Character* character = movie.characters.Find(static_cast<uint16_t>(id));
    if (!character || character->Kind() != CharacterKind::kBitmap) continue;
    EXPECT_FALSE(found) << "more than one bitmap";
    found = static_cast<const CKV_BitmapCharacter*>(character);
  }
  return found;
}

TEST(JpegBitmap, DecodesEveryJpegTagOfTheCorpusSamples) {
  struct Case {
    const char* movie;
    int width;
    int height;
    bool translucent;
  };
  const Case cases[] = {
      {"ruffle/swf-crate/DefineBits-JpegTables-MX.swf", 6, 5, false},
      {"ruffle/swf-crate/DefineBitsJpeg2-MX.swf", 5, 5, false},
      {"ruffle/swf-crate/DefineBitsJpeg3.swf", 8, 8, true},
  };
  if (!std::filesystem::exists(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
  for (const Case& c : cases) {
    const MovieLoadResult loaded = LoadMovieFile((kCorpus / c.movie).string());
    ASSERT_TRUE(loaded.movie) << c.movie;
    const CKV_BitmapCharacter* bitmap = OnlyBitmap(*loaded.movie);
    ASSERT_TRUE(bitmap) << c.movie;
    EXPECT_EQ(bitmap->width, c.width) << c.movie;
    EXPECT_EQ(bitmap->height, c.height) << c.movie;
    const bool translucent = std::any_of(bitmap->pixels.begin(), bitmap->pixels.end(),
                                         [](uint32_t pixel) { return pixel >> 24 != 255; });
    EXPECT_EQ(translucent, c.translucent) << c.movie;
  }
}

TEST(JpegBitmap, AlphaIsOpaqueWhenAbsentAndTransparentWhereCutShort) {
  swftk::CSwfReader reader;
  reader.SetTagModel(swftk::TagModel::kEveryModelledTag);
  if (reader.OpenMovie((kCorpus / "ruffle/swf-crate/DefineBitsJpeg2-MX.swf").string()) !=
      swftk::OpenResult::kOk)
    GTEST_SKIP() << "no corpus at " << kCorpus;
  const swftk::CSwfDefineBitsJpeg* jpeg2 = nullptr;
  for (const auto& tag : reader.GetTags())
    if (const auto* found = dynamic_cast<const swftk::CSwfDefineBitsJpeg*>(tag.get()))
      jpeg2 = found;
  ASSERT_TRUE(jpeg2);
  swftk::CSwfDefineBitsJpeg jpeg3(swftk::tagcode::kDefineBitsJpeg3);
  jpeg3.imageData = jpeg2->imageData;
  for (const bool withAlpha : {false, true}) {
    // Half alpha for the first row of five pixels only.
    jpeg3.alphaData = withAlpha ? Deflate(Bytes(5, 0x80)) : Bytes{};
    const BitmapDecodeResult decoded = DecodeJpegBitmap(jpeg3, {});
    ASSERT_TRUE(decoded.bitmap) << decoded.problem;
    const std::vector<uint32_t>& pixels = decoded.bitmap->pixels;
    EXPECT_EQ(pixels[0] >> 24, withAlpha ? 0x80U : 0xFFU);
    EXPECT_EQ(pixels.back() >> 24, withAlpha ? 0U : 0xFFU);
  }
}

TEST(JpegBitmap, DamagedDataIsRefusedWithAReason) {
  struct Case {
    uint16_t code;
    Bytes image;
    const char* problem;
  };
  const Case cases[] = {
      {swftk::tagcode::kDefineBitsJpeg2, {}, "the JPEG data is damaged (Empty input file)"},
      {swftk::tagcode::kDefineBitsJpeg2,
       {0xFF, 0xD8, 0xFF, 0xD9},
       "the JPEG data is damaged (JPEG datastream contains no image)"},
      {swftk::tagcode::kDefineBitsJpeg3,
       {0x89, 'P', 'N', 'G'},
       "PNG and GIF images in JPEG tags are not drawn"},
  };
  for (const Case& c : cases) {
    swftk::CSwfDefineBitsJpeg tag(c.code);
    tag.imageData = c.image;
    const BitmapDecodeResult decoded = DecodeJpegBitmap(tag, {});
    EXPECT_FALSE(decoded.bitmap);
    EXPECT_EQ(decoded.problem, c.problem);
  }
}

}  // namespace
}  // namespace player::test
