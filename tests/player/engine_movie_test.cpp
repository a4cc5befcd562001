// Movies the effect engine writes, in each of its modes, played frame by frame: the letters
// show in the frames the timeline gives them, at the sizes the effect gives them.
#include <gtest/gtest.h>

#include "engine/zarn_helper.h"
#include "glyphs/system_font_service.h"
#include "player/edit_text_instance.h"
#include "player/movie_loader.h"
#include "player/sprite_instance.h"
#include "test_movie.h"
#include "tests/engine/template_fixture.h"
#include "tests/support/temp_dir.h"

namespace player::test {
namespace {

class EngineMovie {
 public:
  explicit EngineMovie(bool editText) {
    engine::test::TemplateBuilder builder;
    engine::test::AddStandardTemplate(builder, editText);
    builder.Save(Path("effect.swf"));
    request_ = engine::test::ValidRequest(Path("effect.swf"), Path("out.swf"), fonts_, "Arial");
    request_.editTextMode = editText;
  }

  engine::MovieRequest& Request() { return request_; }

  std::shared_ptr<const CKV_Movie> Build() {
    std::string messages;
    engine::CZarnHelper helper([&messages](std::string_view, std::string_view text,
                                           std::string_view) { messages += std::string(text); });
    EXPECT_TRUE(helper.GenerateMovie(request_)) << messages;
    const MovieLoadResult loaded = LoadMovieFile(Path("out.swf"));
    EXPECT_TRUE(loaded.movie) << loaded.error;
    return loaded.movie;
  }

 private:
  std::string Path(const std::string& name) const { return dir_.File(name); }

  zarn::test::TempDir dir_;
  glyphs::CKV_SystemFontService fonts_;
  engine::MovieRequest request_;
};

// The light the white letters add to the black stage, in pixels of full coverage.
double Ink(const CKV_Image& image) {
  double ink = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) ink += PixelAt(image, x, y).g / 255.0;
  return ink;
}

// The leftmost column with ink.
int InkLeft(const CKV_Image& image) {
  for (int x = 0; x < image.Width(); ++x)
    for (int y = 0; y < image.Height(); ++y)
      if (PixelAt(image, x, y).g > 128) return x;
  return -1;
}

// Objects of a character kind anywhere in the tree.
int CountKind(const DisplayList& list, CharacterKind kind) {
  int count = 0;
  for (const auto& [depth, entry] : list) {
    if (!entry.instance) continue;
    const CKV_Character* character = entry.instance->Character();
    if (character && character->Kind() == kind) ++count;
    if (const DisplayList* children = entry.instance->Children())
      count += CountKind(*children, kind);
  }
  return count;
}

TEST(EngineMovies, AllAtOnceLettersGrowTogetherAndGo) {
  EngineMovie engine(false);
  engine.Request().allAtOnce = true;
  CKV_Player player(engine.Build());
  std::vector<int> letters;
  std::vector<double> ink;
  std::vector<int> left;
  for (int frame = 1; frame <= 6; ++frame) {
    letters.push_back(CountKind(*player.Root().Children(), CharacterKind::kText));
    auto image = Render(player);
    ink.push_back(Ink(*image));
    left.push_back(InkLeft(*image));
    player.Advance();
  }
  // The effect shows the letter at half size, three quarters, full size, then removes it;
  // the movie then stops on its last frames.
  EXPECT_EQ(letters, (std::vector<int>{3, 3, 3, 0, 0, 0}));
  EXPECT_NEAR(ink[1] / ink[0], 2.25, 0.25) << "three quarters against half: 1.5 squared";
  EXPECT_NEAR(ink[2] / ink[0], 4.0, 0.4) << "full size against half";
  EXPECT_EQ(ink[3], 0);
  // At full size the first letter stands at the text position, 50 pixels in, moved 5 more
  // by the effect's placement.
  EXPECT_GE(left[2], 55);
  EXPECT_LE(left[2], 62);
  EXPECT_EQ(player.CurrentFrame(), player.Movie().timeline.FrameCount());
  EXPECT_FALSE(player.Root().IsPlaying());
}

TEST(EngineMovies, StaggeredLettersStartOneFrameApart) {
  EngineMovie engine(false);
  engine.Request().frameDelay = 1;
  CKV_Player player(engine.Build());
  std::vector<int> letters;
  std::vector<bool> inked;
  for (int frame = 1; frame <= 7; ++frame) {
    letters.push_back(CountKind(*player.Root().Children(), CharacterKind::kText));
    inked.push_back(Ink(*Render(player)) > 0);
    player.Advance();
  }
  EXPECT_EQ(letters, (std::vector<int>{1, 2, 3, 2, 1, 0, 0}));
  EXPECT_EQ(inked, (std::vector<bool>{true, true, true, true, true, false, false}));
}

TEST(EngineMovies, LoopingMoviesStartOverFromTheFirstFrame) {
  EngineMovie engine(false);
  engine.Request().loop = true;
  engine.Request().allAtOnce = true;
  const auto movie = engine.Build();
  CKV_Player player(movie);
  const double firstInk = Ink(*Render(player));
  // The last frame's script jumps back to frame 1 before the last frame is drawn.
  for (uint32_t tick = 1; tick < movie->timeline.FrameCount(); ++tick) player.Advance();
  EXPECT_EQ(player.CurrentFrame(), 1U);
  EXPECT_TRUE(player.Root().IsPlaying());
  EXPECT_EQ(Ink(*Render(player)), firstInk);
  EXPECT_EQ(CountKind(*player.Root().Children(), CharacterKind::kText), 3);
}

// Gives every text field in the tree a text, as the movie's actions will.
void SetFieldTexts(DisplayList& list, const std::string& text) {
  for (auto& [depth, entry] : list) {
    if (auto* field = dynamic_cast<CKV_EditTextInstance*>(entry.instance.get()))
      field->SetText(text);
    if (entry.instance && entry.instance->Children())
      SetFieldTexts(*entry.instance->Children(), text);
  }
}

TEST(EngineMovies, EditTextLettersAreFieldsInTheirOwnEffectCopies) {
  EngineMovie engine(true);
  engine.Request().frameDelay = 1;
  CKV_Player player(engine.Build());
  std::vector<size_t> copies;
  std::vector<int> fields;
  for (int frame = 1; frame <= 4; ++frame) {
    copies.push_back(player.Root().Children()->size());
    fields.push_back(CountKind(*player.Root().Children(), CharacterKind::kEditText));
    player.Advance();
  }
  // One effect copy per letter, placed one frame apart; each shows its field for three
  // frames.
  EXPECT_EQ(copies, (std::vector<size_t>{1, 2, 3, 3}));
  EXPECT_EQ(fields, (std::vector<int>{1, 2, 3, 2}));
  // Until actions give them their letters the fields hold "W", which the font lacks.
  EXPECT_EQ(Ink(*Render(player)), 0);
  SetFieldTexts(*player.Root().Children(), "b");
  EXPECT_GT(Ink(*Render(player)), 0);
}

}  // namespace
}  // namespace player::test
