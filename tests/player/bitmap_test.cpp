// Lossless bitmaps: decoding every format, refusing what cannot be used, and bitmap fills.
#include <gtest/gtest.h>
#include <zlib.h>

#include "player/bitmap_character.h"
#include "test_movie.h"

namespace player::test {
namespace {

Bytes Deflate(const Bytes& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  Bytes out(size);
  EXPECT_EQ(compress(out.data(), &size, data.data(), static_cast<uLong>(data.size())), Z_OK);
  out.resize(size);
  return out;
}

// Id 7, then format, width and height, the colour count for mapped bitmaps, then the data.
Bytes LosslessBody(uint8_t format, uint16_t width, uint16_t height, const Bytes& pixelData,
                   int colorCount = -1) {
  Bytes body{7,
             0,
             format,
             static_cast<uint8_t>(width),
             static_cast<uint8_t>(width >> 8),
             static_cast<uint8_t>(height),
             static_cast<uint8_t>(height >> 8)};
  if (colorCount >= 0) body.push_back(static_cast<uint8_t>(colorCount - 1));
  const Bytes packed = Deflate(pixelData);
  body.insert(body.end(), packed.begin(), packed.end());
  return body;
}

struct DecodeCase {
  const char* name;
  bool withAlpha;
  Bytes body;
  int width;
  std::vector<uint32_t> pixels;
};

TEST(LosslessBitmap, DecodesEveryFormat) {
  const DecodeCase cases[] = {
      {"colour-mapped RGB, rows padded to 4 bytes",
       false,
       LosslessBody(3, 3, 2,
                    {0xFF, 0x00, 0x00, /**/ 0x00, 0x00, 0xFF,  // palette
                     0, 1, 0, 0xEE,                            // row 1 and padding
                     1, 1, 0, 0xEE},
                    2),
       3,
       {0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF, 0xFFFF0000}},
      {"colour-mapped RGBA, an index past the palette is transparent",
       true,
       LosslessBody(3, 2, 1, {0x80, 0x00, 0x00, 0x80, /**/ 0, 9, 0, 0}, 1),
       2,
       {0x80800000, 0x00000000}},
      {"15-bit, big-endian, rows padded to 4 bytes",
       false,
       LosslessBody(4, 1, 2,
                    {0b0'11111'00, 0b000'00000, 0, 0, /**/ 0b0'00000'00, 0b000'11111, 0, 0}),
       1,
       {0xFFFF0000, 0xFF0000FF}},
      {"32-bit without alpha ignores the first byte",
       false,
       LosslessBody(5, 2, 1, {0x00, 0x10, 0x20, 0x30, /**/ 0x55, 0xFF, 0xFF, 0xFF}),
       2,
       {0xFF102030, 0xFFFFFFFF}},
      {"32-bit premultiplied ARGB, colour clamped to alpha",
       true,
       LosslessBody(5, 2, 1, {0x80, 0x40, 0x20, 0x10, /**/ 0x10, 0xFF, 0x00, 0x00}),
       2,
       {0x80402010, 0x10100000}},
  };
  for (const DecodeCase& c : cases) {
    std::string problem;
    const auto bitmap = DecodeLosslessBitmap(c.body, c.withAlpha, problem);
    ASSERT_TRUE(bitmap) << c.name << ": " << problem;
    EXPECT_EQ(bitmap->Id(), 7) << c.name;
    EXPECT_EQ(bitmap->width, c.width) << c.name;
    EXPECT_EQ(bitmap->pixels, c.pixels) << c.name;
  }
}

TEST(LosslessBitmap, RefusesWhatCannotBeUsed) {
  struct RefusedCase {
    const char* name;
    bool withAlpha;
    Bytes body;
    const char* problem;
  };
  const RefusedCase cases[] = {
      {"cut short", false, {7, 0, 5, 1}, "the bitmap header is cut short"},
      {"empty", false, LosslessBody(5, 0, 4, {}), "bitmap of 0 x 4 pixels is empty or too large"},
      {"too wide", false, LosslessBody(5, 9000, 1, {}),
       "bitmap of 9000 x 1 pixels is empty or too large"},
      {"too many pixels", false, LosslessBody(5, 8000, 8000, {}),
       "bitmap of 8000 x 8000 pixels is empty or too large"},
      {"15-bit with alpha does not exist", true, LosslessBody(4, 1, 1, {0, 0, 0, 0}),
       "bitmap format 4 is not a lossless format"},
      {"JPEG is no lossless format", false, LosslessBody(1, 1, 1, {0}),
       "bitmap format 1 is not a lossless format"},
  };
  for (const RefusedCase& c : cases) {
    std::string problem;
    EXPECT_FALSE(DecodeLosslessBitmap(c.body, c.withAlpha, problem)) << c.name;
    EXPECT_EQ(problem, c.problem) << c.name;
  }
}

TEST(LosslessBitmap, DataThatEndsEarlyReadsAsZeros) {
  Bytes body = LosslessBody(5, 2, 2, {0x00, 0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60});
  std::string problem;
  const auto bitmap = DecodeLosslessBitmap(body, false, problem);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->pixels,
            (std::vector<uint32_t>{0xFF102030, 0xFF405060, 0xFF000000, 0xFF000000}));
  body.resize(12);  // the compressed data cut off
  EXPECT_TRUE(DecodeLosslessBitmap(body, false, problem));
}

TEST(LosslessBitmap, FillsShapesRepeatedOrWithEdgesExtended) {
  // A 2 x 1 bitmap, red then blue, each pixel 20 stage pixels wide (400 twips). Fills are
  // smoothed, so only the middle of each bitmap pixel shows its colour unmixed.
  constexpr int kSmoothing = 8;
  for (const bool repeat : {true, false}) {
    TestMovie movie(80, 20);
    movie.Add(RawTag(20, LosslessBody(5, 2, 1, {0, 255, 0, 0, /**/ 0, 0, 0, 255})));
    movie.Add(ShapeBuilder(1)
                  .BitmapFill(7, {400, 0, 0, 400, 0, 0}, repeat)
                  .Select(std::nullopt, 1)
                  .Rectangle(0, 0, 1600, 400)
                  .Build());
    movie.Add(Place(1, 1)).Frame();
    auto image = RenderFrameOf(movie.Load(), 1);
    const char* mode = repeat ? "repeating" : "clipped";
    EXPECT_LE(ColorDistance(PixelAt(*image, 10, 10), {255, 0, 0, 255}), kSmoothing) << mode;
    EXPECT_LE(ColorDistance(PixelAt(*image, 30, 10), {0, 0, 255, 255}), kSmoothing) << mode;
    EXPECT_LE(ColorDistance(PixelAt(*image, 50, 10),
                            repeat ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255}),
              kSmoothing)
        << mode << ": beyond the bitmap";
  }
}

TEST(LosslessBitmap, FillsFollowTheColorTransformAndAMissingBitmapPaintsNothing) {
  ColorTransform toGreen;
  toGreen.redMult = 0;
  toGreen.greenAdd = 255;
  TestMovie movie(40, 20);
  movie.Add(RawTag(36, LosslessBody(5, 1, 1, {255, 255, 0, 0})))
      .Add(ShapeBuilder(1)
               .BitmapFill(7, {400, 0, 0, 400, 0, 0}, true)
               .Select(std::nullopt, 1)
               .Rectangle(0, 0, 400, 400)
               .Build());
  movie.Add(ShapeBuilder(2)
                .BitmapFill(99, {400, 0, 0, 400, 0, 0}, true)
                .Select(std::nullopt, 1)
                .Rectangle(400, 0, 800, 400)
                .Build());
  movie.Add(Place(1, 1, Options().Tint(toGreen))).Add(Place(2, 2)).Frame();
  auto image = RenderFrameOf(movie.Load(), 1);
  EXPECT_LE(ColorDistance(PixelAt(*image, 10, 10), {0, 255, 0, 255}), 2);
  EXPECT_LE(ColorDistance(PixelAt(*image, 30, 10), {255, 255, 255, 255}), 2);
}

}  // namespace
}  // namespace player::test
