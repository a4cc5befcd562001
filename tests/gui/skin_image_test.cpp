#include "gui/skin_image.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <array>
#include <optional>
#include <vector>

#include "gui/surface.h"
#include "tests/support/temp_dir.h"

namespace {

using zarn::test::Bytes;

// A PNG for the loader to read, written with libpng itself.
struct PngRecipe {
  int width = 1;
  int height = 1;
  int bitDepth = 8;
  int colorType = PNG_COLOR_TYPE_RGB;
  Bytes rows;  // packed, row after row
  std::vector<png_color> palette;
  std::vector<uint8_t> transparency;
  std::optional<png_color_16> background;
  std::optional<double> gamma;
};

void AppendBytes(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

Bytes WritePng(PngRecipe recipe) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendBytes, nullptr);
  png_set_IHDR(png, info, recipe.width, recipe.height, recipe.bitDepth, recipe.colorType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!recipe.palette.empty()) {
    png_set_PLTE(png, info, recipe.palette.data(), static_cast<int>(recipe.palette.size()));
  }
  if (!recipe.transparency.empty()) {
    png_set_tRNS(png, info, recipe.transparency.data(),
                 static_cast<int>(recipe.transparency.size()), nullptr);
  }
  if (recipe.background) png_set_bKGD(png, info, &*recipe.background);
  if (recipe.gamma) png_set_gAMA(png, info, *recipe.gamma);
  png_write_info(png, info);
  const size_t rowBytes = recipe.rows.size() / static_cast<size_t>(recipe.height);
  for (int row = 0; row < recipe.height; ++row) png_write_row(png, &recipe.rows[row * rowBytes]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// The decoded pixels as blue-green-red triples of the bitmap block, row by row.
Bytes BitmapPixels(const gui::CKV_SkinImage& image) {
  Bytes pixels;
  for (uint32_t row = 0; row < image.height; ++row) {
    const uint8_t* start = image.BitmapBits() + row * image.BitmapStride();
    pixels.insert(pixels.end(), start, start + 3 * image.width);
  }
  return pixels;
}

struct DecodeCase {
  const char* name;
  PngRecipe recipe;
  Bytes bgr;
  uint32_t channels;
};

TEST(SkinImage, DecodesEveryColourTypeToBlueGreenRedRows) {
  png_color_16 blue{};
  blue.blue = 255;
  const DecodeCase cases[] = {
      {"palette",
       {2, 1, 8, PNG_COLOR_TYPE_PALETTE, {0, 1}, {{10, 20, 30}, {200, 100, 50}}, {}, {}, {}},
       {30, 20, 10, 50, 100, 200},
       3},
      {"palette with transparency keeps its colour",
       {1, 1, 8, PNG_COLOR_TYPE_PALETTE, {0}, {{10, 20, 30}}, {0}, {}, {}},
       {30, 20, 10},
       4},
      {"16-bit strips to the high bytes",
       {1, 1, 16, PNG_COLOR_TYPE_RGB, {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00}, {}, {}, {}, {}},
       {0xFF, 0xAB, 0x12},
       3},
      {"grey",
       {3, 1, 8, PNG_COLOR_TYPE_GRAY, {0, 128, 255}, {}, {}, {}, {}},
       {0, 0, 0, 128, 128, 128, 255, 255, 255},
       3},
      {"2-bit grey expands",
       {4, 1, 2, PNG_COLOR_TYPE_GRAY, {0b00'01'10'11}, {}, {}, {}, {}},
       {0, 0, 0, 85, 85, 85, 170, 170, 170, 255, 255, 255},
       3},
      {"grey with alpha drops the alpha unblended",
       {1, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {100, 0}, {}, {}, {}, {}},
       {100, 100, 100},
       4},
      {"RGBA drops the alpha unblended",
       {1, 1, 8, PNG_COLOR_TYPE_RGBA, {10, 20, 30, 0}, {}, {}, {}, {}},
       {30, 20, 10},
       4},
      {"bKGD composites",
       {2, 1, 8, PNG_COLOR_TYPE_RGBA, {255, 0, 0, 0, 0, 255, 0, 255}, {}, {}, blue, {}},
       {255, 0, 0, 0, 255, 0},
       3},
      {"gAMA of 1/2.2 is left alone",
       {1, 1, 8, PNG_COLOR_TYPE_RGB, {0, 128, 255}, {}, {}, {}, 1 / 2.2},
       {255, 128, 0},
       3},
  };
  for (const DecodeCase& test : cases) {
    SCOPED_TRACE(test.name);
    gui::CKV_SkinImage image;
    ASSERT_TRUE(image.LoadFromBytes(WritePng(test.recipe)));
    EXPECT_EQ(image.channels, test.channels);
    EXPECT_EQ(image.bitDepth, 8);
    EXPECT_EQ(BitmapPixels(image), test.bgr);
  }
}

TEST(SkinImage, KeepsTheBackgroundColourAndAppliesTheFileGamma) {
  png_color_16 background{};
  background.red = 1;
  background.green = 2;
  background.blue = 3;
  gui::CKV_SkinImage image;
  ASSERT_TRUE(image.LoadFromBytes(
      WritePng({1, 1, 8, PNG_COLOR_TYPE_RGB, {1, 2, 3}, {}, {}, background, {}})));
  EXPECT_EQ(image.background, (std::array<uint8_t, 3>{1, 2, 3}));
  // Drawn onto a surface at (1, 1), in the surface's own colour order.
  std::unique_ptr<gui::CKV_Surface> surface;
  ASSERT_TRUE(gui::CreateSurface(surface, 2, 2, 32));
  gui::FillSurface(*surface, Qt::white);
  image.DrawTo(1, 1, *surface);
  EXPECT_EQ(surface->image.pixel(1, 1), qRgb(1, 2, 3));
  EXPECT_EQ(surface->image.pixel(0, 0), qRgb(255, 255, 255));

  // A linear file on a 2.2 screen: 128 brightens to 255 * (128 / 255) ^ (1 / 2.2).
  ASSERT_TRUE(
      image.LoadFromBytes(WritePng({1, 1, 8, PNG_COLOR_TYPE_RGB, {0, 128, 255}, {}, {}, {}, 1.0})));
  EXPECT_FALSE(image.background);
  const Bytes bgr = BitmapPixels(image);
  EXPECT_EQ(bgr[0], 255);
  EXPECT_NEAR(bgr[1], 186, 1);
  EXPECT_EQ(bgr[2], 0);
}

TEST(SkinImage, PadsBitmapRowsToFourBytesBehindAFortyByteHeader) {
  gui::CKV_SkinImage image;
  ASSERT_TRUE(image.LoadFromBytes(
      WritePng({3, 2, 8, PNG_COLOR_TYPE_GRAY, {1, 2, 3, 4, 5, 6}, {}, {}, {}, {}})));
  EXPECT_EQ(image.BitmapStride(), 12u);
  ASSERT_EQ(image.bitmap.size(), 40u + 2 * 12);
  const Bytes header(image.bitmap.begin(), image.bitmap.begin() + 16);
  EXPECT_EQ(header, (Bytes{40, 0, 0, 0, 3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 24, 0}));
  EXPECT_EQ(image.bitmap[40 + 12], 4);  // second row, first blue byte
}

// A signature, an IHDR chunk with a good check sum, and an IEND chunk.
Bytes HeaderOnlyPng(uint32_t width, uint32_t height) {
  Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const auto put32 = [](Bytes& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
      bytes.push_back(static_cast<uint8_t>(value >> shift));
  };
  Bytes chunk{'I', 'H', 'D', 'R'};
  put32(chunk, width);
  put32(chunk, height);
  chunk.insert(chunk.end(), {8, 2, 0, 0, 0});
  put32(out, 13);
  out.insert(out.end(), chunk.begin(), chunk.end());
  put32(out, static_cast<uint32_t>(crc32(0, chunk.data(), static_cast<uInt>(chunk.size()))));
  out.insert(out.end(), {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82});
  return out;
}

TEST(SkinImage, RefusesWhatIsNotASoundPngAndKeepsNothing) {
  const Bytes good = WritePng({4, 4, 8, PNG_COLOR_TYPE_RGB, Bytes(48, 7), {}, {}, {}, {}});
  Bytes badSignature = good;
  badSignature[1] = 'Q';
  const Bytes truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  Bytes corrupt = good;
  corrupt[good.size() - 20] ^= 0xFF;
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"not a PNG", Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}},
      {"bad signature", badSignature},
      {"truncated", truncated},
      {"corrupt data", corrupt},
      {"beyond the side limit", HeaderOnlyPng(100000, 100000)},
      {"beyond the pixel limit", HeaderOnlyPng(16384, 16384)},
      {"no image data", HeaderOnlyPng(2, 2)},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    gui::CKV_SkinImage image;
    ASSERT_TRUE(image.LoadFromBytes(good));
    EXPECT_FALSE(image.LoadFromBytes(test.bytes));
    EXPECT_EQ(image.width, 0u);
    EXPECT_TRUE(image.bitmap.empty());
    EXPECT_EQ(image.BitmapBits(), nullptr);
  }
  // From files: one that is there, one that is not.
  zarn::test::TempDir folder;
  zarn::test::WriteFileBytes(folder.File("skin.wui"), good);
  gui::CKV_SkinImage image;
  EXPECT_TRUE(image.Load(folder.File("skin.wui")));
  EXPECT_EQ(image.width, 4u);
  EXPECT_FALSE(image.Load(folder.File("missing.wui")));
  EXPECT_TRUE(image.Release());
}

}  // namespace
