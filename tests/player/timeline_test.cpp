// Display lists and timelines: placements, loops, rewinds and the timeline actions; and
// movies the effect engine writes, in each of its modes, played frame by frame: the letters
// show in the frames the timeline gives them, at the sizes the effect gives them.
#include <gtest/gtest.h>

#include <functional>

#include "engine/zarn_helper.h"
#include "glyphs/system_font_service.h"
#include "player/edit_text_instance.h"
#include "player/instance.h"
#include "player/movie_loader.h"
#include "player/sprite_instance.h"
#include "swftk/actions.h"
#include "test_movie.h"
#include "tests/engine/template_fixture.h"
#include "tests/support/temp_dir.h"

namespace player::test {
namespace {

namespace action = swftk::actioncode;
using Contents = std::vector<std::pair<uint16_t, uint16_t>>;

std::unique_ptr<swftk::CSwfDefineShape> Square(uint16_t id) {
  return FilledRect(id, kRed, 0, 0, 100, 100);
}

// Depth and character of every object on a display list, bottom up.
Contents ContentsOf(const DisplayList& list) {
  Contents contents;
  for (const auto& [depth, entry] : list) contents.emplace_back(depth, entry.placement.characterId);
  return contents;
}

const CKV_SpriteInstance& SpriteAt(const DisplayList& list, uint16_t depth) {
  return dynamic_cast<const CKV_SpriteInstance&>(*list.at(depth).instance);
}

Bytes GotoAndPlay(uint16_t zeroBasedFrame) {
  Bytes actions = ActionGotoFrame(zeroBasedFrame);
  actions.push_back(action::kPlay);
  return actions;
}

void PlaceTwoRemoveOne(TestMovie& m) {
  m.Add(Square(1), Square(2), Place(1, 1)).Frame();
  m.Add(Place(2, 2)).Frame().Add(Remove(1)).Frame();
}

struct PlayCase {
  const char* name;
  std::function<void(TestMovie&)> build;
  // After this many frames advanced: the frame shown, whether it plays, the display list.
  struct {
    int advances;
    uint32_t frame;
    bool playing;
    Contents contents;
  } then;
};

TEST(Timeline, PlaysFramesAndFollowsTheirScripts) {
  const PlayCase cases[] = {
      {"frames add and remove objects", PlaceTwoRemoveOne, {2, 3, true, {{2, 2}}}},
      {"the loop back to frame 1 rebuilds its state", PlaceTwoRemoveOne, {3, 1, true, {{1, 1}}}},
      {"a stop at the end holds the last frame",
       [](TestMovie& m) {
         m.Add(Square(1), Place(1, 1)).Frame().Add(Remove(1), Place(1, 2)).Frame();
         m.Add(DoAction({action::kStop})).Frame();
       },
       {10, 3, false, {{2, 1}}}},
      {"goto frame 1 goes back before frame 3 is drawn, and stops",
       [](TestMovie& m) {
         m.Add(Square(1), Square(2), Place(1, 1)).Frame().Add(Place(2, 2)).Frame();
         m.Add(Remove(1), DoAction(ActionGotoFrame(0))).Frame().Frame();
       },
       {3, 1, false, {{1, 1}}}},
      {"goto and play goes back and plays on",
       [](TestMovie& m) {
         m.Add(Square(1), Square(2), Place(1, 1)).Frame().Add(Place(2, 2)).Frame();
         m.Add(Remove(1), DoAction(GotoAndPlay(0))).Frame().Frame();
       },
       {3, 2, true, {{1, 1}, {2, 2}}}},
      {"the target frame's script runs after the script that jumped",
       [](TestMovie& m) {
         m.Frame().Add(DoAction(GotoAndPlay(3))).Frame().Frame();
         m.Add(DoAction({action::kStop})).Frame();
       },
       {2, 4, false, {}}},
      {"go to label ignores case",
       [](TestMovie& m) {
         m.Frame().Add(FrameLabel("Again")).Frame().Frame();
         m.Add(DoAction(ActionGoToLabel("aGAIN"))).Frame();
       },
       {3, 2, false, {}}},
      {"previous frame steps back and stops",
       [](TestMovie& m) { m.Frame().Frame().Add(DoAction({action::kPrevFrame})).Frame().Frame(); },
       {3, 2, false, {}}},
      {"next frame steps on and stops",
       [](TestMovie& m) { m.Frame().Add(DoAction({action::kNextFrame})).Frame().Frame().Frame(); },
       {3, 3, false, {}}},
      {"a move with another character replaces a shape's drawing and keeps a sprite",
       [](TestMovie& m) {
         m.Add(Square(1), Square(2), Sprite(5, TagList(ShowFrame())));
         m.Add(Place(1, 1), Place(5, 2)).Frame();
         m.Add(Move(1, {}, 2), Move(2, {}, 1)).Frame();
       },
       {1, 2, true, {{1, 2}, {2, 5}}}},
      {"placing over an object replaces it; removing an empty depth is harmless",
       [](TestMovie& m) {
         m.Add(Square(1), Square(2), Place(1, 3), Remove(7)).Frame().Add(Place(2, 3)).Frame();
       },
       {1, 2, true, {{3, 2}}}},
  };
  for (const PlayCase& c : cases) {
    TestMovie movie(20, 20);
    c.build(movie);
    CKV_Player player(movie.Load());
    for (int tick = 0; tick < c.then.advances; ++tick) player.Advance();
    EXPECT_EQ(player.CurrentFrame(), c.then.frame) << c.name;
    EXPECT_EQ(player.Root().IsPlaying(), c.then.playing) << c.name;
    EXPECT_EQ(ContentsOf(*player.Root().Children()), c.then.contents) << c.name;
  }
}

TEST(Timeline, RewindKeepsObjectsThatStayAndTheirOwnTimelines) {
  TestMovie movie(20, 20);
  movie.Add(Sprite(5, TagList(ShowFrame(), ShowFrame(), ShowFrame(), ShowFrame(), ShowFrame())));
  movie.Add(Place(5, 1)).Frame().Frame();
  movie.Add(Move(1, Transform2D::Translation(40, 0))).Frame();
  CKV_Player player(movie.Load());
  const DisplayList& list = *player.Root().Children();
  const CKV_Instance* sprite = list.at(1).instance.get();
  player.Advance();
  player.Advance();
  EXPECT_EQ(list.at(1).placement.matrix.tx, 40);
  player.Advance();
  EXPECT_EQ(player.CurrentFrame(), 1U);
  EXPECT_EQ(list.at(1).instance.get(), sprite) << "placed in frame 1 and never removed";
  EXPECT_EQ(list.at(1).placement.matrix.tx, 0) << "the rewind restores the frame-1 matrix";
  EXPECT_EQ(SpriteAt(list, 1).CurrentFrame(), 4U) << "the sprite's own timeline ran on";
}

TEST(Timeline, SpritesLoopOnTheirOwnAndStartInTheFrameTheyAppear) {
  TestMovie movie(20, 20);
  movie.Add(Square(1),
            Sprite(5, TagList(Place(1, 1), ShowFrame(), Remove(1), ShowFrame(), ShowFrame())));
  movie.Frame().Add(Place(5, 1)).Frame().Add(DoAction({action::kStop})).Frame();
  CKV_Player player(movie.Load());
  const DisplayList& root = *player.Root().Children();
  EXPECT_TRUE(root.empty());
  std::vector<uint32_t> spriteFrames;
  std::vector<size_t> childCounts;
  for (int tick = 0; tick < 6; ++tick) {
    player.Advance();
    spriteFrames.push_back(SpriteAt(root, 1).CurrentFrame());
    childCounts.push_back(SpriteAt(root, 1).Children()->size());
  }
  EXPECT_EQ(spriteFrames, (std::vector<uint32_t>{1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(childCounts, (std::vector<size_t>{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(player.CurrentFrame(), 3U) << "the main timeline stopped at its end";
}

// The engine's movie of the standard effect template, with the request changed as given.
std::shared_ptr<const CKV_Movie> EngineMovie(
    bool editText, const std::function<void(engine::MovieRequest&)>& configure) {
  const zarn::test::TempDir dir;
  glyphs::CKV_SystemFontService fonts;
  engine::test::TemplateBuilder builder;
  engine::test::AddStandardTemplate(builder, editText);
  builder.Save(dir.File("effect.swf"));
  engine::MovieRequest request =
      engine::test::ValidRequest(dir.File("effect.swf"), dir.File("out.swf"), fonts, "Arial");
  request.editTextMode = editText;
  configure(request);
  std::string messages;
  engine::CZarnHelper helper([&messages](std::string_view, std::string_view text,
                                         std::string_view) { messages += std::string(text); });
  EXPECT_TRUE(helper.GenerateMovie(request)) << messages;
  const MovieLoadResult loaded = LoadMovieFile(dir.File("out.swf"));
  EXPECT_TRUE(loaded.movie) << loaded.error;
  return loaded.movie;
}

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

// Per frame from the first: the letters shown, their ink and the leftmost inked column.
struct Frames {
  std::vector<int> letters;
  std::vector<double> ink;
  std::vector<int> left;
};

Frames PlayFrames(CKV_Player& player, int count) {
  Frames frames;
  for (int frame = 1; frame <= count; ++frame, player.Advance()) {
    frames.letters.push_back(CountKind(*player.Root().Children(), CharacterKind::kText));
    const auto image = Render(player);
    frames.ink.push_back(Ink(*image));
    frames.left.push_back(InkLeft(*image));
  }
  return frames;
}

TEST(EngineMovies, AllAtOnceLettersGrowTogetherAndGo) {
  CKV_Player player(EngineMovie(false, [](auto& request) { request.allAtOnce = true; }));
  const Frames frames = PlayFrames(player, 6);
  // The effect shows the letter at half size, three quarters, full size, then removes it;
  // the movie then stops on its last frames.
  EXPECT_EQ(frames.letters, (std::vector<int>{3, 3, 3, 0, 0, 0}));
  EXPECT_NEAR(frames.ink[1] / frames.ink[0], 2.25, 0.25) << "three quarters against half";
  EXPECT_NEAR(frames.ink[2] / frames.ink[0], 4.0, 0.4) << "full size against half";
  EXPECT_EQ(frames.ink[3], 0);
  // At full size the first letter stands at the text position, 50 pixels in, moved 5 more
  // by the effect's placement.
  EXPECT_GE(frames.left[2], 55);
  EXPECT_LE(frames.left[2], 62);
  EXPECT_EQ(player.CurrentFrame(), player.Movie().timeline.FrameCount());
  EXPECT_FALSE(player.Root().IsPlaying());
}

TEST(EngineMovies, StaggeredLettersStartOneFrameApart) {
  CKV_Player player(EngineMovie(false, [](auto& request) { request.frameDelay = 1; }));
  const Frames frames = PlayFrames(player, 7);
  EXPECT_EQ(frames.letters, (std::vector<int>{1, 2, 3, 2, 1, 0, 0}));
  std::vector<bool> inked;
  for (const double ink : frames.ink) inked.push_back(ink > 0);
  EXPECT_EQ(inked, (std::vector<bool>{true, true, true, true, true, false, false}));
}

TEST(EngineMovies, LoopingMoviesStartOverFromTheFirstFrame) {
  const auto movie = EngineMovie(false, [](auto& request) {
    request.loop = true;
    request.allAtOnce = true;
  });
  CKV_Player player(movie);
  const double firstInk = Ink(*Render(player));
  // The last frame's script jumps back to frame 1 before the last frame is drawn.
  for (uint32_t tick = 1; tick < movie->timeline.FrameCount(); ++tick) player.Advance();
  EXPECT_EQ(player.CurrentFrame(), 1U);
  EXPECT_TRUE(player.Root().IsPlaying());
  EXPECT_EQ(Ink(*Render(player)), firstInk);
  EXPECT_EQ(CountKind(*player.Root().Children(), CharacterKind::kText), 3);
}

// The texts of every text field in the tree, bottom up.
void CollectFieldTexts(const DisplayList& list, std::string& texts) {
  for (const auto& [depth, entry] : list) {
    if (const auto* field = dynamic_cast<const CKV_EditTextInstance*>(entry.instance.get()))
      texts += field->Text();
    if (entry.instance && entry.instance->Children())
      CollectFieldTexts(*entry.instance->Children(), texts);
  }
}

TEST(EngineMovies, EditTextLettersAreFieldsInTheirOwnEffectCopies) {
  CKV_Player player(EngineMovie(true, [](auto& request) { request.frameDelay = 1; }));
  std::vector<size_t> copies;
  std::vector<int> fields;
  std::vector<std::string> texts;
  for (int frame = 1; frame <= 4; ++frame) {
    copies.push_back(player.Root().Children()->size());
    fields.push_back(CountKind(*player.Root().Children(), CharacterKind::kEditText));
    CollectFieldTexts(*player.Root().Children(), texts.emplace_back());
    player.Advance();
  }
  // One effect copy per letter, placed one frame apart; each shows its field for three
  // frames.
  EXPECT_EQ(copies, (std::vector<size_t>{1, 2, 3, 3}));
  EXPECT_EQ(fields, (std::vector<int>{1, 2, 3, 2}));
  // The movie's actions give each field its own letter in place of the template's "W".
  EXPECT_EQ(texts, (std::vector<std::string>{"a", "ab", "abc", "bc"}));
  EXPECT_GT(Ink(*Render(player)), 0);
}

}  // namespace
}  // namespace player::test
