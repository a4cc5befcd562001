// The preview control on the program's own data, built as the application builds it: every
// effect of the compiled library (the build folder's effects/) in both modes, played to its
// end, and the position cross with a movie over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/build_movie_file.h"
#include "engine/effect_variable.h"
#include "engine/movie_settings.h"
#include "engine/zarn_helper.h"
#include "glyphs/system_font_service.h"
#include "player/image.h"
#include "player/player.h"
#include "player/preview_control.h"
#include "player/sprite_instance.h"
#include "test_movie.h"
#include "tests/support/temp_dir.h"

namespace player::test {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 150;
constexpr double kRate = 12;
constexpr int kSettleSeconds = 6;

int EffectVersion(const std::string& effect) {
  std::string version;
  engine::ReadEffectVariable("version", version, effect);
  return std::atoi(version.c_str());
}

// The compiled effects of one version.
std::vector<std::filesystem::path> LibraryEffects(int version) {
  std::vector<std::filesystem::path> effects;
  const std::filesystem::path folder = std::filesystem::path(ZARN_BUILD_DIR) / "effects";
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
    const std::string extension = entry.path().extension().string();
    if ((extension == ".kvx" || extension == ".swf") && EffectVersion(entry.path()) == version)
      effects.push_back(entry.path());
  }
  std::sort(effects.begin(), effects.end());
  return effects;
}

bool LoopsForever(const std::filesystem::path& effect) {
  std::ifstream source(std::filesystem::path(ZARN_SOURCE_DIR) / "effects/src" /
                       (effect.filename().string() + ".json"));
  const std::string text{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
  return text.find("\"loop\": true") != std::string::npos;
}

// The preview's build: black 36-point Arial on white, the letters two frames apart or all at
// once, the movie not looping.
bool BuildPreview(const std::string& effect, const std::string& output, bool allAtOnce,
                  glyphs::CKV_FontService& fonts) {
  engine::MovieSettings settings;
  settings.text = "Zarn";
  settings.movieWidth = kWidth;
  settings.movieHeight = kHeight;
  settings.frameRate = static_cast<float>(kRate);
  settings.fontSize = 36;
  settings.font.SetFaceName("Arial");
  settings.textColor = 0x000000;
  settings.backgroundColor = 0xFFFFFF;
  settings.originX = 120;
  settings.originY = 50;
  settings.frameDelay = 2;
  settings.flags.allAtOnce = allAtOnce;
  const engine::MovieTarget target{effect, output, true, EffectVersion(effect)};
  return engine::BuildMovieFile(settings, target, fonts,
                                [](std::string_view caption, std::string_view text,
                                   std::string_view) { ADD_FAILURE() << caption << ": " << text; });
}

// Pixels darker than mid grey: the black letters.
int InkPixels(const CKV_Image& image) {
  int ink = 0;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const Rgba pixel = PixelAt(image, x, y);
      if (pixel.r + pixel.g + pixel.b < 3 * 128) ++ink;
    }
  }
  return ink;
}

bool SamePixels(const CKV_Image& a, const CKV_Image& b) {
  for (int y = 0; y < a.Height(); ++y) {
    if (!std::equal(a.Data() + y * a.Stride(), a.Data() + y * a.Stride() + a.Width() * 4,
                    b.Data() + y * b.Stride()))
      return false;
  }
  return true;
}

TEST(PreviewPlayback, EveryEffectInEveryModeEndsAtRestWithItsLettersShowing) {
  std::vector<std::filesystem::path> effects = LibraryEffects(3);
  const std::vector<std::filesystem::path> editText = LibraryEffects(4);
  ASSERT_FALSE(effects.empty()) << "the build folder holds no compiled effects";
  ASSERT_FALSE(editText.empty());
  effects.insert(effects.end(), editText.begin(), editText.end());
  zarn::test::TempDir dir;
  glyphs::CKV_SystemFontService fonts;
  for (const auto& effect : effects) {
    for (const bool allAtOnce : {false, true}) {
      SCOPED_TRACE(effect.filename().string() + (allAtOnce ? " all at once" : " one by one"));
      const std::string movie = dir.File("preview.swf");
      ASSERT_TRUE(BuildPreview(effect.string(), movie, allAtOnce, fonts));
      CKV_PreviewControl control;
      control.SetMessageHandler([](CKV_PreviewControl::MessageKind kind, const std::string& text) {
        if (kind == CKV_PreviewControl::MessageKind::kWarning) ADD_FAILURE() << text;
      });
      ASSERT_TRUE(control.LoadMovie(0, movie));
      const CKV_Player& player = *control.Level(0);
      const uint32_t frames = player.Root().FrameCount();
      for (uint32_t frame = 1; frame < frames; ++frame) control.Advance(1 / kRate);
      EXPECT_EQ(player.CurrentFrame(), frames);
      EXPECT_FALSE(player.Root().IsPlaying());

      // The letters' own clips may play on after the main timeline ends; a second of frames
      // at a time, the picture must come to rest within a few seconds.
      auto before = CKV_Image::Create(kWidth, kHeight);
      auto after = CKV_Image::Create(kWidth, kHeight);
      control.Draw(*after);
      bool atRest = false;
      for (int second = 0; second < kSettleSeconds && !atRest; ++second) {
        std::swap(before, after);
        for (int frame = 0; frame < kRate; ++frame) control.Advance(1 / kRate);
        control.Draw(*after);
        atRest = SamePixels(*before, *after);
      }
      // An effect made to play over and over never rests.
      EXPECT_TRUE(atRest || LoopsForever(effect));
      EXPECT_GT(InkPixels(*after), 200);
    }
  }
}

// The position cross, resized as the preview makes it, with a movie over it.
class PositionCrossPreview : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::CZarnHelper helper([](std::string_view caption, std::string_view text,
                                  std::string_view) { ADD_FAILURE() << caption << ": " << text; });
    ASSERT_TRUE(helper.ResizeMovieFile(std::string(ZARN_BUILD_DIR) + "/kalvprep.wui", cross_,
                                       kWidth, kHeight, static_cast<float>(kRate)));
    const std::vector<std::filesystem::path> effects = LibraryEffects(4);
    ASSERT_FALSE(effects.empty());
    ASSERT_TRUE(BuildPreview(effects.front().string(), movie_, false, fonts_));
  }

  // Show movie with the cross on, call for call.
  void ShowMovie(double x, double y) {
    ASSERT_TRUE(control_.LoadMovie(0, cross_));
    EXPECT_TRUE(control_.TSetPropertyNum("/cross", 0, x));
    EXPECT_TRUE(control_.TSetPropertyNum("/cross", 1, y));
    ASSERT_TRUE(control_.LoadMovie(10, movie_));
    control_.SetBackgroundColor(0x336699);
  }

  double Cross(int index) { return control_.TGetPropertyNum("/cross", index).value_or(-1); }

  zarn::test::TempDir dir_;
  glyphs::CKV_SystemFontService fonts_;
  std::string cross_ = dir_.File("~klv0003.tmp");
  std::string movie_ = dir_.File("preview.swf");
  CKV_PreviewControl control_;
};

// Pixels of the cross's red inside and outside a box, in a drawing at stage size.
std::pair<int, int> CrossPixels(const CKV_Image& image, int left, int top, int right, int bottom) {
  std::pair<int, int> inOut;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const Rgba pixel = PixelAt(image, x, y);
      if (pixel.r < pixel.g + 80 || pixel.r < pixel.b + 40) continue;
      const bool inside = x >= left && x <= right && y >= top && y <= bottom;
      ++(inside ? inOut.first : inOut.second);
    }
  }
  return inOut;
}

TEST_F(PositionCrossPreview, ShowsTheCrossWhereTheTextStartsUnderTheMovie) {
  ShowMovie(120, 40.7);
  for (int frame = 0; frame < 5; ++frame) control_.Advance(1 / kRate);
  // The one-frame timeline loops without moving the clip back.
  EXPECT_EQ(Cross(0), 120);
  EXPECT_NEAR(Cross(1), 40.7, 0.05);
  auto image = CKV_Image::Create(kWidth, kHeight);
  control_.Draw(*image);
  const auto [inside, outside] = CrossPixels(*image, 100, 20, 140, 60);
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(PixelAt(*image, kWidth - 1, kHeight - 1), (Rgba{0x33, 0x66, 0x99, 255}));
  EXPECT_GT(InkPixels(*image), 0);

  // What the control refuses: no such clip, a value that is not a number.
  EXPECT_FALSE(control_.TSetPropertyNum("/nothing", 0, 5));
  EXPECT_EQ(control_.TGetPropertyNum("/nothing", 0), std::nullopt);
  EXPECT_EQ(control_.TGetPropertyNum("_level3/cross", 0), std::nullopt);
  EXPECT_FALSE(control_.TSetPropertyNum("/cross", 0, NAN));
  EXPECT_EQ(Cross(0), 120);
  control_.TSetPropertyNum("/cross", 0, 1e300);
  EXPECT_TRUE(std::isfinite(Cross(0)));
  EXPECT_LT(Cross(0), 1e300);
  // Level 10's root is reached by its level name.
  EXPECT_EQ(control_.TGetPropertyNum("_level10", 0), 0);
}

TEST_F(PositionCrossPreview, DraggingTheCrossRaisesFsCommandAfterTheReleaseWhoseHandlerMayReload) {
  ShowMovie(120, 40);
  std::vector<std::pair<double, double>> moves;
  control_.SetFsCommandHandler([&](const std::string& command, const std::string&) {
    EXPECT_EQ(command, "move");
    moves.emplace_back(Cross(0), Cross(1));
    // The handler may reload the movie that raised the event.
    ASSERT_TRUE(control_.LoadMovie(0, cross_));
    EXPECT_EQ(control_.Level(10), nullptr);
    EXPECT_TRUE(control_.TSetPropertyNum("/cross", 0, 60));
  });
  // Drawn twice the stage's size: output positions are twice the stage's.
  auto image = CKV_Image::Create(2 * kWidth, 2 * kHeight);
  control_.Draw(*image);
  control_.MouseMove(240, 80);
  EXPECT_TRUE(control_.IsOverButton());
  control_.MouseDown(240, 80);
  control_.MouseMove(400, 180);
  control_.Advance(1 / kRate);
  EXPECT_TRUE(moves.empty());
  control_.MouseUp(400, 180);
  EXPECT_EQ(moves, (std::vector<std::pair<double, double>>{{200, 90}}));
  EXPECT_EQ(Cross(0), 60);
  control_.MouseMove(10, 10);
  EXPECT_FALSE(control_.IsOverButton());
  ASSERT_TRUE(control_.LoadMovie(10, movie_));
  EXPECT_EQ(control_.Advance(1 / kRate), 1);
}

}  // namespace
}  // namespace player::test
