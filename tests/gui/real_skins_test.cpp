// The skins the build draws: every place the main window's controls use lies inside them, the
// swatch template is pure white and black, and the hover strips loop without a jump.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "gui/skin_image.h"
#include "res/skins/main_skin_layout.h"

namespace {

using skins::Box;

struct Pixel {
  int blue;
  int green;
  int red;
};

class RealSkins : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(main.Load(std::string(ZARN_BINARY_DIR) + "/kalvzarn.wui"));
    ASSERT_TRUE(splash.Load(std::string(ZARN_BINARY_DIR) + "/kalvsp.wui"));
  }

  static Pixel At(const gui::CKV_SkinImage& image, int x, int y) {
    const uint8_t* p = image.BitmapBits() + y * image.BitmapStride() + 3 * x;
    return {p[0], p[1], p[2]};
  }

  bool Inside(int x, int y, int width, int height) const {
    return x >= 0 && y >= 0 && x + width <= static_cast<int>(main.width) &&
           y + height <= static_cast<int>(main.height);
  }

  // The mean difference of two blocks of the main skin.
  double Difference(int x, int y1, int y2, int width, int height) const {
    long total = 0;
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        const Pixel a = At(main, x + column, y1 + row);
        const Pixel b = At(main, x + column, y2 + row);
        total += std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
      }
    }
    return static_cast<double>(total) / (width * height);
  }

  gui::CKV_SkinImage main;
  gui::CKV_SkinImage splash;
};

TEST_F(RealSkins, HoldEveryPlaceTheControlsUse) {
  EXPECT_GE(main.width, 1002u);
  EXPECT_GE(main.height, 448u);
  EXPECT_EQ(main.channels, 3u);
  const auto& list = skins::kEffectListLayout;
  const int frames = list.frames;
  EXPECT_TRUE(Inside(list.rowSkinX, list.rowSkinY, list.listWidth,
                     3 * skins::kEffectRowKinds * list.rowHeight));
  EXPECT_TRUE(Inside(list.upSkinX, list.upSkinY, list.barWidth, 2 * frames * list.arrowHeight));
  EXPECT_TRUE(Inside(list.downSkinX, list.downSkinY, list.barWidth, 2 * frames * list.arrowHeight));
  EXPECT_TRUE(
      Inside(list.thumbSkinX, list.thumbSkinY, list.barWidth, (1 + 2 * frames) * list.thumbHeight));
  for (const auto& button : skins::kButtons) {
    EXPECT_TRUE(Inside(button.strip.x, button.strip.y, button.box.Width(),
                       2 * button.strip.frames * button.box.Height()))
        << button.caption;
  }
  for (const auto& box : skins::kCheckboxes) {
    const auto& strip = skins::kCheckboxStrip;
    EXPECT_TRUE(
        Inside(strip.x, strip.y, box.box.Width(), (2 * strip.frames + 1) * box.box.Height()))
        << box.caption;
  }
  for (const Box& swatch : {skins::kTextColour, skins::kBackgroundColour}) {
    EXPECT_TRUE(Inside(skins::kSwatchTemplate.x, skins::kSwatchTemplate.y, 2 * swatch.Width(),
                       swatch.Height()));
  }
  for (const auto& edit : skins::kEdits) {
    EXPECT_TRUE(Inside(edit.box.left, edit.box.top, edit.box.Width(), edit.box.Height()));
    if (!edit.hasCover) continue;
    EXPECT_TRUE(Inside(edit.cover.skinX, edit.cover.skinY, edit.cover.width, edit.cover.height));
    EXPECT_TRUE(Inside(edit.cover.x, edit.cover.y, edit.cover.width, edit.cover.height));
  }
}

TEST_F(RealSkins, SwatchTemplateIsPureWhiteAroundABlackHole) {
  const Box& swatch = skins::kTextColour;
  int white = 0;
  int black = 0;
  for (int y = 0; y < swatch.Height(); ++y) {
    for (int x = 0; x < swatch.Width(); ++x) {
      const Pixel p = At(main, skins::kSwatchTemplate.x + x, skins::kSwatchTemplate.y + y);
      const int sum = p.red + p.green + p.blue;
      ASSERT_TRUE(sum == 0 || sum == 3 * 255) << x << ", " << y;
      (sum == 0 ? black : white) += 1;
    }
  }
  EXPECT_GT(black, swatch.Width() * swatch.Height() / 3);
  EXPECT_GT(white, 2 * (swatch.Width() + swatch.Height()));
  const Pixel corner = At(main, skins::kSwatchTemplate.x, skins::kSwatchTemplate.y);
  EXPECT_EQ(corner.red + corner.green + corner.blue, 3 * 255);
}

// Each hover strip changes from frame to frame, and its last frame leads into the first no more
// abruptly than any other step.
TEST_F(RealSkins, HoverStripsLoopSeamlessly) {
  struct Strip {
    const char* name;
    int x;
    int y;
    int width;
    int height;
    int frames;
  };
  const auto& list = skins::kEffectListLayout;
  std::vector<Strip> strips;
  for (const auto& button : skins::kButtons) {
    for (int pressed = 0; pressed < 2; ++pressed) {
      strips.push_back({button.caption, button.strip.x,
                        button.strip.y + pressed * button.strip.frames * button.box.Height(),
                        button.box.Width(), button.box.Height(), button.strip.frames});
    }
  }
  const Box& box = skins::kCheckboxes[0].box;
  for (int checked = 0; checked < 2; ++checked) {
    strips.push_back(
        {"check box", skins::kCheckboxStrip.x,
         skins::kCheckboxStrip.y + checked * skins::kCheckboxStrip.frames * box.Height(),
         box.Width(), box.Height(), skins::kCheckboxStrip.frames});
  }
  for (int pressed = 0; pressed < 2; ++pressed) {
    for (const auto& [name, x, y, height, first] :
         {std::tuple{"up arrow", list.upSkinX, list.upSkinY, list.arrowHeight, 0},
          {"down arrow", list.downSkinX, list.downSkinY, list.arrowHeight, 0},
          {"thumb", list.thumbSkinX, list.thumbSkinY, list.thumbHeight, 1}}) {
      strips.push_back({name, x, y + (first + pressed * list.frames) * height, list.barWidth,
                        height, list.frames});
    }
  }
  for (const Strip& strip : strips) {
    SCOPED_TRACE(strip.name);
    EXPECT_EQ(strip.frames, skins::kHoverFrames);
    std::vector<double> steps;
    for (int frame = 0; frame < strip.frames; ++frame) {
      steps.push_back(Difference(strip.x, strip.y + frame * strip.height,
                                 strip.y + (frame + 1) % strip.frames * strip.height, strip.width,
                                 strip.height));
    }
    const auto [least, most] = std::minmax_element(steps.begin(), steps.end() - 1);
    EXPECT_GT(*least, 0.5);
    EXPECT_LE(steps.back(), *most * 1.25);
  }
}

TEST_F(RealSkins, SplashLeavesRoomForItsTexts) {
  EXPECT_GE(splash.width, static_cast<uint32_t>(skins::kSplashWidth));
  EXPECT_GE(splash.height, static_cast<uint32_t>(skins::kSplashHeight));
  EXPECT_GE(splash.width, static_cast<uint32_t>(skins::kSplashVersion.x + 40));
  EXPECT_GE(splash.width, static_cast<uint32_t>(skins::kSplashStatus1.x + 300));
  EXPECT_GE(splash.height, static_cast<uint32_t>(skins::kSplashStatus2.y + 20));
  EXPECT_GE(splash.height, static_cast<uint32_t>(skins::kAboutCreditLines.back() + 14));
  // The status strips are quiet: white and cyan text stays readable on them.
  for (const auto& line : {skins::kSplashStatus1, skins::kSplashStatus2}) {
    for (int y = line.y; y < line.y + 20; y += 3) {
      for (int x = line.x; x < line.x + 300; x += 7) {
        const Pixel p = At(splash, x, y);
        ASSERT_LT(p.red + p.green + p.blue, 3 * 90) << x << ", " << y;
      }
    }
  }
}

}  // namespace
