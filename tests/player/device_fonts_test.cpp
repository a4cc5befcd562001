// Device fonts: each player draws with the set it is given, made on the font service given,
// and sets never evict each other's fonts.
#include <gtest/gtest.h>

#include "player/device_font.h"
#include "player/font_character.h"
#include "player/player.h"
#include "swftk/edit_text.h"
#include "test_movie.h"
#include "tests/glyphs/fake_font_service.h"

namespace player::test {
namespace {

constexpr glyphs::Fixed16 kFixedOne = 65536;

// A fake whose "A" is a square half the em wide, standing on the baseline.
std::shared_ptr<glyphs::FakeFontService> SquareFonts() {
  auto service = std::make_shared<glyphs::FakeFontService>();
  service->font.metrics.ascent = 800;
  service->font.metrics.descent = 224;
  glyphs::OutlinePolygon square;
  square.start = {0, 0};
  square.curves.push_back(
      {glyphs::kCurveLine,
       {{512 * kFixedOne, 0}, {512 * kFixedOne, 512 * kFixedOne}, {0, 512 * kFixedOne}}});
  service->font.outlines['A'].polygons.push_back(square);
  service->font.widths['A'] = {0, 512, 0};
  return service;
}

TEST(DeviceFonts, FieldsWithoutOutlinesDrawWithTheInjectedService) {
  TestMovie movie(40, 40);
  auto field = EditText(1, kBlack, 0, 0, 800, 800, 400, "A");
  field->flags &= static_cast<uint16_t>(~swftk::CSwfDefineEditText::kUseOutlines);
  movie.Add(std::move(field), Place(1, 1));
  const auto loaded = movie.Load();
  for (const bool withSquare : {true, false}) {
    const auto service = SquareFonts();
    if (!withSquare) service->font.outlines.clear();
    PlayerOptions options;
    options.deviceFonts = std::make_shared<CKV_DeviceFonts>(service);
    CKV_Player player(loaded, std::move(options));
    const auto image = Render(player);
    // The 10-pixel square from about (2, 8) to (12, 18).
    EXPECT_EQ(PixelAt(*image, 7, 13), withSquare ? kBlack : kWhite);
    EXPECT_EQ(PixelAt(*image, 20, 13), kWhite);
    ASSERT_FALSE(service->log.created.empty());
    EXPECT_EQ(service->log.created[0].GetFaceName(), "Times New Roman");
  }
}

TEST(DeviceFonts, SetsKeepTheirFontsWhateverOtherSetsAreAskedFor) {
  const auto firstService = SquareFonts();
  const auto secondService = SquareFonts();
  CKV_DeviceFonts first(firstService);
  CKV_DeviceFonts second(secondService);
  const std::shared_ptr<const CKV_FontCharacter> sans = first.Find("_sans", false, false);
  ASSERT_TRUE(sans);
  for (size_t i = 0; i < 2 * CKV_DeviceFonts::kCapacity; ++i)
    second.Find("Face " + std::to_string(i), false, false);
  EXPECT_EQ(first.Find("_sans", false, false), sans);
  EXPECT_EQ(firstService->log.created.size(), 1U);
  EXPECT_EQ(secondService->log.created.size(), 2 * CKV_DeviceFonts::kCapacity);

  // A font the set lets go of lives on with its holder; asking again makes it anew.
  for (size_t i = 0; i < CKV_DeviceFonts::kCapacity; ++i)
    first.Find("Face " + std::to_string(i), true, false);
  EXPECT_EQ(sans->glyphs.size(), sans->codes.size());
  EXPECT_NE(first.Find("_sans", false, false), sans);
  EXPECT_EQ(firstService->log.created.size(), CKV_DeviceFonts::kCapacity + 2);
}

}  // namespace
}  // namespace player::test
