// Pixels of shapes drawn on tiny stages: inside, outside and on the edges.
#include <gtest/gtest.h>

#include "test_movie.h"

namespace player::test {
namespace {

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlack{0, 0, 0, 255};

// Colours of antialiased edges may differ from the exact coverage by rounding.
constexpr int kTolerance = 2;

#define EXPECT_COLOR(image, x, y, expected)                                                      \
  EXPECT_LE(ColorDistance(PixelAt(image, x, y), expected), kTolerance)                           \
      << "at (" << (x) << ", " << (y) << ") got " << int{PixelAt(image, x, y).r} << ","          \
      << int{PixelAt(image, x, y).g} << "," << int{PixelAt(image, x, y).b} << " alpha " << int { \
    PixelAt(image, x, y).a                                                                       \
  }

std::unique_ptr<CKV_Image> RenderShapes(std::vector<std::unique_ptr<swftk::CSwfTag>> tags,
                                        int size = 40, double scale = 1.0) {
  TestMovie movie(size, size);
  for (auto& tag : tags) movie.Add(std::move(tag));
  movie.Frame();
  return RenderFrameOf(movie.Load(), 1, scale);
}

template <class... Tags>
std::vector<std::unique_ptr<swftk::CSwfTag>> TagList(Tags... tags) {
  std::vector<std::unique_ptr<swftk::CSwfTag>> list;
  (list.push_back(std::move(tags)), ...);
  return list;
}

TEST(ShapePixels, FilledRectangleInsideOutsideAndHalfCoveredEdge) {
  // x from 10.5 to 30 pixels, y from 10 to 30.
  auto image = RenderShapes(TagList(
      ShapeBuilder(1).SolidFill(kRed).Select(std::nullopt, 1).Rectangle(210, 200, 600, 600).Build(),
      Place(1, 1)));
  EXPECT_COLOR(*image, 20, 20, kRed);
  EXPECT_COLOR(*image, 29, 29, kRed);
  EXPECT_COLOR(*image, 5, 5, kWhite);
  EXPECT_COLOR(*image, 30, 20, kWhite);
  EXPECT_COLOR(*image, 20, 30, kWhite);
  EXPECT_COLOR(*image, 10, 20, (Rgba{255, 128, 128, 255}));
}

TEST(ShapePixels, InnerContourCutsAHole) {
  // Outer square clockwise, inner square anticlockwise, both with the fill on their right.
  auto image = RenderShapes(TagList(ShapeBuilder(1)
                                        .SolidFill(kBlue)
                                        .Select(std::nullopt, 1)
                                        .Rectangle(100, 100, 700, 700)
                                        .MoveTo(300, 300)
                                        .LineTo(300, 500)
                                        .LineTo(500, 500)
                                        .LineTo(500, 300)
                                        .LineTo(300, 300)
                                        .Build(),
                                    Place(1, 1)));
  EXPECT_COLOR(*image, 7, 20, kBlue);
  EXPECT_COLOR(*image, 20, 7, kBlue);
  EXPECT_COLOR(*image, 20, 20, kWhite);
  EXPECT_COLOR(*image, 16, 16, kWhite);
  EXPECT_COLOR(*image, 2, 2, kWhite);
}

TEST(ShapePixels, EdgeWithFillsOnBothSidesLeavesNoSeam) {
  // The shared edge runs down at x = 20.5 pixels: red (fill 1) on its right hand, which is
  // the left on screen, blue (fill 0) on the other side.
  auto image = RenderShapes(TagList(ShapeBuilder(1)
                                        .SolidFill(kRed)
                                        .SolidFill(kBlue)
                                        .MoveTo(410, 200)
                                        .Select(2, 1)
                                        .LineTo(410, 600)
                                        .Select(0, 1)
                                        .LineTo(0, 600)
                                        .LineTo(0, 200)
                                        .LineTo(410, 200)
                                        .Select(0, 2)
                                        .LineTo(800, 200)
                                        .LineTo(800, 600)
                                        .LineTo(410, 600)
                                        .Build(),
                                    Place(1, 1)));
  EXPECT_COLOR(*image, 10, 20, kRed);
  EXPECT_COLOR(*image, 30, 20, kBlue);
  EXPECT_COLOR(*image, 20, 5, kWhite);
  const Rgba edge = PixelAt(*image, 20, 20);
  EXPECT_NEAR(edge.r, 128, kTolerance);
  EXPECT_NEAR(edge.b, 128, kTolerance);
  EXPECT_EQ(edge.g, 0) << "no background shows between the two fills";
}

TEST(ShapePixels, FillStyleZeroEdgesAreReversedToCloseTheRegion) {
  // The same square twice: once with fill 1 clockwise, once with fill 0 anticlockwise.
  for (const bool useFill0 : {false, true}) {
    ShapeBuilder shape(1);
    shape.SolidFill(kGreen);
    if (useFill0) {
      shape.Select(1, std::nullopt).MoveTo(200, 200).LineTo(200, 600).LineTo(600, 600);
      shape.LineTo(600, 200).LineTo(200, 200);
    } else {
      shape.Select(std::nullopt, 1).Rectangle(200, 200, 600, 600);
    }
    auto image = RenderShapes(TagList(shape.Build(), Place(1, 1)));
    EXPECT_COLOR(*image, 20, 20, kGreen) << (useFill0 ? "fill 0" : "fill 1");
    EXPECT_COLOR(*image, 5, 20, kWhite) << (useFill0 ? "fill 0" : "fill 1");
  }
}

TEST(ShapePixels, LinearGradientRunsAcrossItsSquare) {
  // The gradient square (-16384..16384) mapped onto x 0..800 twips.
  const double scale = 800.0 / 32768.0;
  auto image = RenderShapes(TagList(ShapeBuilder(1)
                                        .LinearGradient({scale, 0, 0, scale, 400, 400}, kRed, kBlue)
                                        .Select(std::nullopt, 1)
                                        .Rectangle(0, 0, 800, 800)
                                        .Build(),
                                    Place(1, 1)));
  const Rgba left = PixelAt(*image, 0, 20);
  const Rgba middle = PixelAt(*image, 20, 20);
  const Rgba right = PixelAt(*image, 39, 20);
  EXPECT_GE(left.r, 245);
  EXPECT_LE(left.b, 10);
  EXPECT_GE(right.b, 245);
  EXPECT_LE(right.r, 10);
  EXPECT_NEAR(middle.r, 125, 6);
  EXPECT_NEAR(middle.b, 130, 6);
  EXPECT_EQ(PixelAt(*image, 20, 2), middle) << "a linear gradient does not change along y";
}

TEST(ShapePixels, RadialGradientSpreadsFromItsCentreAndPadsBeyond) {
  const double scale = 400.0 / 16384.0;
  auto image =
      RenderShapes(TagList(ShapeBuilder(1)
                               .RadialGradient({scale, 0, 0, scale, 400, 400}, kWhite, kBlack)
                               .Select(std::nullopt, 1)
                               .Rectangle(0, 0, 800, 800)
                               .Build(),
                           Place(1, 1)));
  EXPECT_GE(PixelAt(*image, 20, 20).r, 240);
  EXPECT_NEAR(PixelAt(*image, 30, 20).r, 128, 12) << "half way out";
  EXPECT_COLOR(*image, 0, 0, kBlack);
  EXPECT_COLOR(*image, 39, 39, kBlack);
}

TEST(ShapePixels, LinesHaveTheirWidthAndNeverLessThanAPixel) {
  auto shapes = [] {
    return TagList(ShapeBuilder(1)
                       .LineStyle(0, kBlack)
                       .LineStyle(100, kRed)
                       .Select(std::nullopt, std::nullopt, 1)
                       .MoveTo(210, 100)
                       .LineTo(210, 700)
                       .Select(std::nullopt, std::nullopt, 2)
                       .MoveTo(600, 100)
                       .LineTo(600, 700)
                       .Build(),
                   Place(1, 1));
  };
  auto image = RenderShapes(shapes());
  // A hairline one pixel wide, centred on pixel 10.
  EXPECT_COLOR(*image, 10, 20, kBlack);
  EXPECT_COLOR(*image, 9, 20, kWhite);
  EXPECT_COLOR(*image, 11, 20, kWhite);
  // Five pixels wide around x = 30: 27.5 to 32.5.
  for (int x = 28; x <= 31; ++x) EXPECT_COLOR(*image, x, 20, kRed);
  EXPECT_COLOR(*image, 27, 20, (Rgba{255, 128, 128, 255}));
  EXPECT_COLOR(*image, 26, 20, kWhite);
  EXPECT_COLOR(*image, 33, 20, kWhite);
  // Round caps reach half the width past the ends.
  EXPECT_COLOR(*image, 30, 36, kRed);

  // At a tenth of the size the 5-pixel line is half a pixel wide and the hairline would be a
  // tenth: both still darken a whole pixel column.
  auto small = RenderShapes(shapes(), 200, 0.1);
  const Rgba hairline = PixelAt(*small, 1, 2);
  EXPECT_LE(hairline.r, 140) << "the hairline is drawn one device pixel wide";
}

TEST(ShapePixels, CurvesFollowTheirControlPoint) {
  // A quarter disc: from (0,400) curve to (400,0) bulging towards (400,400)'s far corner.
  auto image = RenderShapes(TagList(ShapeBuilder(1)
                                        .SolidFill(kBlue)
                                        .Select(std::nullopt, 1)
                                        .MoveTo(0, 0)
                                        .LineTo(800, 0)
                                        .CurveTo(800, 800, 0, 800)
                                        .LineTo(0, 0)
                                        .Build(),
                                    Place(1, 1)));
  EXPECT_COLOR(*image, 5, 5, kBlue);
  EXPECT_COLOR(*image, 28, 28, kBlue) << "inside the bulge";
  EXPECT_COLOR(*image, 38, 38, kWhite) << "beyond the curve";
  // The curve passes (600, 600) twips: 30 pixels, so pixel 29 is in and 31 out.
  EXPECT_COLOR(*image, 29, 29, kBlue);
  EXPECT_COLOR(*image, 31, 31, kWhite);
}

TEST(ShapePixels, ClipLayerMasksTheDepthsItCovers) {
  auto image = RenderShapes(TagList(
      ShapeBuilder(1).SolidFill(kBlack).Select(std::nullopt, 1).Rectangle(0, 0, 400, 800).Build(),
      ShapeBuilder(2).SolidFill(kRed).Select(std::nullopt, 1).Rectangle(0, 0, 800, 400).Build(),
      ShapeBuilder(3).SolidFill(kBlue).Select(std::nullopt, 1).Rectangle(0, 400, 800, 800).Build(),
      ShapeBuilder(4)
          .SolidFill(kGreen)
          .Select(std::nullopt, 1)
          .Rectangle(600, 600, 800, 800)
          .Build(),
      Place(1, 1, Options().ClipTo(3)), Place(2, 2), Place(3, 3), Place(4, 4)));
  EXPECT_COLOR(*image, 10, 10, kRed) << "masked, inside the mask";
  EXPECT_COLOR(*image, 10, 30, kBlue) << "masked, inside the mask";
  EXPECT_COLOR(*image, 25, 10, kWhite) << "masked, outside the mask";
  EXPECT_COLOR(*image, 25, 25, kWhite) << "masked, outside the mask";
  EXPECT_COLOR(*image, 35, 35, kGreen) << "above the clip depth";
  // The mask's edge at x = 20 is sharp and the mask's own colour never shows.
  EXPECT_COLOR(*image, 19, 10, kRed);
  EXPECT_COLOR(*image, 20, 10, kWhite);
}

TEST(ShapePixels, ColorTransformMultipliesAddsAndBlends) {
  ColorTransform tint;
  tint.redMult = 128;
  tint.blueAdd = 255;
  ColorTransform half;
  half.alphaMult = 128;
  auto image = RenderShapes(TagList(
      ShapeBuilder(1).SolidFill(kRed).Select(std::nullopt, 1).Rectangle(0, 0, 400, 800).Build(),
      Place(1, 1, Options().Tint(tint)),
      Place(1, 2, Options().At(Transform2D::Translation(400, 0)).Tint(half))));
  EXPECT_COLOR(*image, 10, 20, (Rgba{128, 0, 255, 255}));
  EXPECT_COLOR(*image, 30, 20, (Rgba{255, 127, 127, 255})) << "half red over white";
}

TEST(ShapePixels, NestedSpriteMatricesAndColorTransformsCompose) {
  ColorTransform dim;
  dim.redMult = 128;
  ColorTransform addGreen;
  addGreen.greenAdd = 100;
  std::vector<std::unique_ptr<swftk::CSwfTag>> inner;
  inner.push_back(Place(1, 1, Options().At(Transform2D::Translation(100, 0)).Tint(addGreen)));
  inner.push_back(ShowFrame());
  std::vector<std::unique_ptr<swftk::CSwfTag>> outer;
  outer.push_back(Place(10, 1, Options().At(Transform2D{2, 0, 0, 2, 0, 0})));
  outer.push_back(ShowFrame());
  // Shape: 0..100 twips. Inner sprite moves it by 100; outer sprite doubles it; the stage
  // places the outer sprite at (200, 200): x 400..600, y 200..400 twips.
  auto image = RenderShapes(TagList(
      ShapeBuilder(1).SolidFill(kRed).Select(std::nullopt, 1).Rectangle(0, 0, 100, 100).Build(),
      Sprite(10, std::move(inner)), Sprite(11, std::move(outer)),
      Place(11, 1, Options().At(Transform2D::Translation(200, 200)).Tint(dim))));
  const Rgba expected{128, 100, 0, 255};
  EXPECT_COLOR(*image, 20, 10, expected);
  EXPECT_COLOR(*image, 29, 19, expected);
  EXPECT_COLOR(*image, 19, 15, kWhite);
  EXPECT_COLOR(*image, 30, 15, kWhite);
  EXPECT_COLOR(*image, 25, 20, kWhite);
}

TEST(ShapePixels, RotationTurnsAboutTheOrigin) {
  // A bar along x from 0 to 400 twips, 100 high, turned a quarter turn clockwise on screen
  // and moved to (600, 100): it then covers x 500..600, y 100..500.
  auto image = RenderShapes(TagList(
      ShapeBuilder(1).SolidFill(kBlue).Select(std::nullopt, 1).Rectangle(0, 0, 400, 100).Build(),
      Place(1, 1, Options().At(Transform2D{0, 1, -1, 0, 600, 100}))));
  EXPECT_COLOR(*image, 27, 7, kBlue);
  EXPECT_COLOR(*image, 27, 23, kBlue);
  EXPECT_COLOR(*image, 23, 15, kWhite);
  EXPECT_COLOR(*image, 31, 15, kWhite);
  EXPECT_COLOR(*image, 27, 27, kWhite);
}

TEST(ShapePixels, SameFrameRendersTheSamePixels) {
  auto tags = [] {
    return TagList(ShapeBuilder(1)
                       .RadialGradient({0.02, 0.01, -0.01, 0.02, 400, 400}, kRed, kGreen)
                       .LineStyle(30, kBlue)
                       .Select(std::nullopt, 1, 1)
                       .MoveTo(50, 80)
                       .CurveTo(700, 20, 650, 700)
                       .LineTo(50, 80)
                       .Build(),
                   Place(1, 1, Options().At(Transform2D{0.9, 0.2, -0.3, 1.1, 13, 7})));
  };
  auto first = RenderShapes(tags());
  auto second = RenderShapes(tags());
  ASSERT_EQ(first->Height(), second->Height());
  for (int y = 0; y < first->Height(); ++y)
    for (int x = 0; x < first->Width(); ++x) ASSERT_EQ(first->Pixel(x, y), second->Pixel(x, y));
}

}  // namespace
}  // namespace player::test
