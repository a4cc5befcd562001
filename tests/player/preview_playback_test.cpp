// The preview control on the program's own data, built as the application builds it: every
// effect of the compiled library (the build folder's effects/) in both modes, played to its
// end, and the position cross with a movie over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/effect_variable.h"
#include "engine/movie_settings.h"
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
  return engine::BuildMovieFromSettings(
      settings, target, fonts,
      [](std::string_view caption, std::string_view text, std::string_view) {
        ADD_FAILURE() << caption << ": " << text;
      });
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
  const std::vector<std::filesystem::path> effects = LibraryEffects(3);
  ASSERT_FALSE(effects.empty()) << "the build folder holds no compiled effects";
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

      auto last = CKV_Image::Create(kWidth, kHeight);
      auto later = CKV_Image::Create(kWidth, kHeight);
      control.Draw(*last);
      for (int frame = 0; frame < 2 * kRate; ++frame) control.Advance(1 / kRate);
      control.Draw(*later);
      EXPECT_GT(InkPixels(*last), 200);
      EXPECT_TRUE(SamePixels(*last, *later));
    }
  }
}

}  // namespace
}  // namespace player::test
