// Shapes drawn from rasterisations kept per size, turn, phase and colour transform: what is
// kept must draw as the shape itself does, wide strokes included, and stay within its budget.
#include <gtest/gtest.h>

#include "player/shape_cache.h"
#include "test_movie.h"

namespace player::test {
namespace {

// Character 1: a red square from 10 to 30 pixels with a black line 10 pixels wide around it.
std::unique_ptr<swftk::CSwfDefineShape> OutlinedSquare() {
  ShapeBuilder builder(1);
  builder.SolidFill(kRed).LineStyle(200, kBlack).Select(-1, 1, 1).Rectangle(200, 200, 600, 600);
  return builder.Build();
}

TEST(ShapeCache, KeptShapesDrawWholeWithTheirOwnTintsAndFollowWholePixelMoves) {
  TestMovie movie(110, 50);
  const ColorTransform green = Tint({0, 0, 0, 256}, {0, 255, 0, 0});
  movie.Add(OutlinedSquare(), Place(1, 1), Place(1, 2, Transform2D::Translation(1200, 0), green))
      .Frame()
      .Add(Move(2, Transform2D::Translation(1240, 20)))
      .Frame()
      .Add(Move(2, Transform2D::Translation(1250, 20)))
      .Frame();
  CKV_Player player(movie.Load());
  const struct {
    int x, y;
    Rgba color;
  } firstFrame[] = {{4, 20, kWhite},  {5, 20, kBlack},  {20, 20, kRed},   {34, 20, kBlack},
                    {35, 20, kWhite}, {20, 4, kWhite},  {20, 5, kBlack},  {20, 34, kBlack},
                    {20, 35, kWhite}, {64, 20, kWhite}, {65, 20, kGreen}, {80, 20, kGreen},
                    {94, 20, kGreen}, {95, 20, kWhite}};
  auto image = Render(player);
  for (const auto& p : firstFrame)
    EXPECT_LE(ColorDistance(PixelAt(*image, p.x, p.y), p.color), 2)
        << "at (" << p.x << ", " << p.y << ")";
  EXPECT_EQ(player.ShapeCache().Size(), 2U);
  // Two pixels right and one down: the same rasterisation, painted further on.
  player.Advance();
  image = Render(player);
  EXPECT_EQ(player.ShapeCache().Size(), 2U);
  EXPECT_LE(ColorDistance(PixelAt(*image, 66, 21), kWhite), 2);
  EXPECT_LE(ColorDistance(PixelAt(*image, 67, 21), kGreen), 2);
  EXPECT_LE(ColorDistance(PixelAt(*image, 96, 21), kGreen), 2);
  EXPECT_LE(ColorDistance(PixelAt(*image, 97, 21), kWhite), 2);
  // Half a pixel further: a phase of its own, its edge pixel half covered.
  player.Advance();
  image = Render(player);
  EXPECT_EQ(player.ShapeCache().Size(), 3U);
  EXPECT_LE(ColorDistance(PixelAt(*image, 97, 21), {128, 255, 128, 255}), 3);
}

TEST(ShapeCache, KeptHairlinesLieInThePixelTheirExactPositionGives) {
  // A hairline 20 pixels down the stage at x = 400 twips, moved right by one twip and drawn at
  // half size: at x = 10.025 pixels it lies in pixel 10, not in pixel 9 as at x = 10.
  ShapeBuilder builder(1);
  builder.LineStyle(20, kBlack).Select(0, 0, 1).MoveTo(400, 0).LineTo(400, 800);
  TestMovie movie(40, 40);
  movie.Add(builder.Build(), Place(1, 1, Transform2D::Translation(1, 0))).Frame();
  CKV_Player player(movie.Load());
  for (int pass = 0; pass < 2; ++pass) {
    const auto image = Render(player, 0.5);
    EXPECT_LE(ColorDistance(PixelAt(*image, 9, 10), kWhite), 2) << "pass " << pass;
    EXPECT_LE(ColorDistance(PixelAt(*image, 10, 10), kBlack), 2) << "pass " << pass;
  }
  EXPECT_EQ(player.ShapeCache().Size(), 1U);
}

TEST(ShapeCache, ShapesDrawnAtEverChangingSizesStayWithinTheBudget) {
  // A square 400 pixels wide, grown a little every frame.
  constexpr int kFrames = 120;
  TestMovie movie(420, 420);
  movie.Add(FilledRect(1, kBlue, 0, 0, 8000, 8000), Place(1, 1)).Frame();
  for (int frame = 1; frame < kFrames; ++frame)
    movie.Add(Move(1, Transform2D::Scale(1 + frame / 4000.0, 1))).Frame();
  CKV_Player player(movie.Load());
  for (int frame = 1; frame < kFrames; ++frame) {
    Render(player);
    player.Advance();
  }
  const auto image = Render(player);
  EXPECT_LE(player.ShapeCache().Bytes(), CKV_ShapeCache::kByteBudget);
  EXPECT_LT(player.ShapeCache().Size(), static_cast<size_t>(kFrames));
  EXPECT_GT(player.ShapeCache().Size(), 0U);
  EXPECT_LE(ColorDistance(PixelAt(*image, 410, 200), kBlue), 2);
  EXPECT_LE(ColorDistance(PixelAt(*image, 414, 200), kWhite), 2);
}

}  // namespace
}  // namespace player::test
