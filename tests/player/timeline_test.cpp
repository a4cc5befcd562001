// Display lists and timelines: placements, loops, rewinds and the timeline actions.
#include <gtest/gtest.h>

#include "player/instance.h"
#include "player/sprite_instance.h"
#include "test_movie.h"

namespace player::test {
namespace {

constexpr Rgba kRed{255, 0, 0, 255};

std::unique_ptr<swftk::CSwfTag> Square(uint16_t id) {
  return ShapeBuilder(id).SolidFill(kRed).Select(std::nullopt, 1).Rectangle(0, 0, 100, 100).Build();
}

// Depth and character of every object on a display list, bottom up.
std::vector<std::pair<uint16_t, uint16_t>> Contents(const DisplayList& list) {
  std::vector<std::pair<uint16_t, uint16_t>> contents;
  for (const auto& [depth, entry] : list) contents.emplace_back(depth, entry.placement.characterId);
  return contents;
}

using Contents_t = std::vector<std::pair<uint16_t, uint16_t>>;

const CKV_Instance* InstanceAt(const DisplayList& list, uint16_t depth) {
  const auto found = list.find(depth);
  return found == list.end() ? nullptr : found->second.instance.get();
}

const CKV_SpriteInstance& SpriteAt(const DisplayList& list, uint16_t depth) {
  return dynamic_cast<const CKV_SpriteInstance&>(*InstanceAt(list, depth));
}

std::vector<std::unique_ptr<swftk::CSwfTag>> Frames(int count) {
  std::vector<std::unique_ptr<swftk::CSwfTag>> tags;
  for (int i = 0; i < count; ++i) tags.push_back(ShowFrame());
  return tags;
}

TEST(Timeline, RootPlaysItsFramesAndLoopsBackToTheFirstFrameState) {
  TestMovie movie(20, 20);
  movie.Add(Square(1)).Add(Square(2)).Add(Place(1, 1)).Frame();
  movie.Add(Place(2, 2)).Frame();
  movie.Add(Remove(1)).Frame();
  CKV_Player player(movie.Load());
  const DisplayList& list = *player.Root().Children();
  EXPECT_EQ(player.CurrentFrame(), 1U);
  EXPECT_EQ(Contents(list), (Contents_t{{1, 1}}));
  const CKV_Instance* first = InstanceAt(list, 1);
  player.Advance();
  EXPECT_EQ(Contents(list), (Contents_t{{1, 1}, {2, 2}}));
  EXPECT_EQ(InstanceAt(list, 1), first) << "an object lives on while the timeline keeps it";
  player.Advance();
  EXPECT_EQ(player.CurrentFrame(), 3U);
  EXPECT_EQ(Contents(list), (Contents_t{{2, 2}}));
  player.Advance();
  EXPECT_EQ(player.CurrentFrame(), 1U);
  EXPECT_EQ(Contents(list), (Contents_t{{1, 1}})) << "the loop rebuilds frame 1";
}

TEST(Timeline, RewindKeepsObjectsThatStayAndTheirOwnTimelines) {
  TestMovie movie(20, 20);
  std::vector<std::unique_ptr<swftk::CSwfTag>> spriteTags = Frames(10);
  movie.Add(Square(1)).Add(Sprite(5, std::move(spriteTags)));
  movie.Add(Place(5, 1)).Frame();
  movie.Frame();
  movie.Add(Place(5, 1, Options().At(Transform2D::Translation(40, 0)).Moving())).Frame();
  CKV_Player player(movie.Load());
  const DisplayList& list = *player.Root().Children();
  const CKV_Instance* sprite = InstanceAt(list, 1);
  player.Advance();
  player.Advance();
  EXPECT_EQ(list.at(1).placement.matrix.tx, 40);
  player.Advance();
  EXPECT_EQ(player.CurrentFrame(), 1U);
  EXPECT_EQ(InstanceAt(list, 1), sprite) << "placed in frame 1 and never removed";
  EXPECT_EQ(list.at(1).placement.matrix.tx, 0) << "the rewind restores the frame-1 matrix";
  EXPECT_EQ(SpriteAt(list, 1).CurrentFrame(), 4U) << "the sprite's own timeline ran on";
}

TEST(Timeline, SpritesLoopOnTheirOwnAndStartInTheFrameTheyAppear) {
  std::vector<std::unique_ptr<swftk::CSwfTag>> spriteTags;
  spriteTags.push_back(Place(1, 1));
  spriteTags.push_back(ShowFrame());
  spriteTags.push_back(Remove(1));
  spriteTags.push_back(ShowFrame());
  spriteTags.push_back(ShowFrame());
  TestMovie movie(20, 20);
  movie.Add(Square(1)).Add(Sprite(5, std::move(spriteTags))).Frame();
  movie.Add(Place(5, 1)).Frame();
  movie.Add(DoActionBytes(ActionStop())).Frame();
  CKV_Player player(movie.Load());
  const DisplayList& root = *player.Root().Children();
  EXPECT_TRUE(root.empty());
  std::vector<uint32_t> spriteFrames;
  std::vector<size_t> childCounts;
  for (int tick = 0; tick < 6; ++tick) {
    player.Advance();
    const CKV_SpriteInstance& sprite = SpriteAt(root, 1);
    spriteFrames.push_back(sprite.CurrentFrame());
    childCounts.push_back(sprite.Children()->size());
  }
  EXPECT_EQ(spriteFrames, (std::vector<uint32_t>{1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(childCounts, (std::vector<size_t>{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(player.CurrentFrame(), 3U) << "the main timeline stopped at its end";
}

TEST(Timeline, StopAtTheEndHoldsTheLastFrame) {
  TestMovie movie(20, 20);
  movie.Add(Square(1)).Add(Place(1, 1)).Frame();
  movie.Add(Remove(1)).Add(Place(1, 2)).Frame();
  movie.Add(DoActionBytes(ActionStop())).Frame();
  CKV_Player player(movie.Load());
  for (int tick = 0; tick < 10; ++tick) player.Advance();
  EXPECT_EQ(player.CurrentFrame(), 3U);
  EXPECT_FALSE(player.Root().IsPlaying());
  EXPECT_EQ(Contents(*player.Root().Children()), (Contents_t{{2, 1}}));
}

TEST(Timeline, GotoFrameGoesBackStoppedAndGotoAndPlayPlaysOn) {
  for (const bool thenPlay : {false, true}) {
    TestMovie movie(20, 20);
    movie.Add(Square(1)).Add(Square(2)).Add(Place(1, 1)).Frame();
    movie.Add(Place(2, 2)).Frame();
    Bytes actions = ActionGotoFrame(0);
    if (thenPlay) {
      const Bytes play = ActionPlay();
      actions.insert(actions.end(), play.begin(), play.end());
    }
    movie.Add(Remove(1)).Add(DoActionBytes(actions)).Frame();
    movie.Frame();
    CKV_Player player(movie.Load());
    player.Advance();
    player.Advance();
    // Frame 3's script jumped to frame 1 before frame 3 was ever drawn.
    EXPECT_EQ(player.CurrentFrame(), 1U);
    EXPECT_EQ(Contents(*player.Root().Children()), (Contents_t{{1, 1}}));
    player.Advance();
    EXPECT_EQ(player.CurrentFrame(), thenPlay ? 2U : 1U) << (thenPlay ? "play" : "stop");
  }
}

TEST(Timeline, TheTargetFrameScriptRunsAfterTheScriptThatJumped) {
  // Frame 3 jumps to frame 1 and plays; frame 1's own script then stops the movie.
  TestMovie movie(20, 20);
  movie.Add(DoActionBytes(ActionStop())).Frame();
  movie.Frame();
  Bytes actions = ActionGotoFrame(0);
  const Bytes play = ActionPlay();
  actions.insert(actions.end(), play.begin(), play.end());
  movie.Add(DoActionBytes(actions)).Frame();
  CKV_Player player(movie.Load());
  EXPECT_FALSE(player.Root().IsPlaying());
  player.Root().Play();
  player.Advance();
  player.Advance();
  EXPECT_EQ(player.CurrentFrame(), 1U);
  EXPECT_FALSE(player.Root().IsPlaying());
}

TEST(Timeline, GoToLabelIgnoresCaseAndNextAndPreviousFrameStop) {
  TestMovie movie(20, 20);
  movie.Frame();
  movie.Add(FrameLabel("Again")).Frame();
  movie.Frame();
  movie.Add(DoActionBytes(ActionGoToLabel("aGAIN"))).Frame();
  CKV_Player player(movie.Load());
  for (int tick = 0; tick < 3; ++tick) player.Advance();
  EXPECT_EQ(player.CurrentFrame(), 2U);
  EXPECT_FALSE(player.Root().IsPlaying());

  TestMovie stepping(20, 20);
  stepping.Frame().Frame();
  stepping.Add(DoActionBytes(ActionPrevFrame())).Frame();
  stepping.Add(DoActionBytes(ActionNextFrame())).Frame();
  CKV_Player stepper(stepping.Load());
  stepper.Advance();
  stepper.Advance();
  EXPECT_EQ(stepper.CurrentFrame(), 2U) << "frame 3 stepped back";
  EXPECT_FALSE(stepper.Root().IsPlaying());
  stepper.Advance();
  EXPECT_EQ(stepper.CurrentFrame(), 2U) << "stopped";
}

TEST(Timeline, ScriptsThatJumpBackAndForthAreCutShort) {
  TestMovie movie(20, 20);
  movie.Add(DoActionBytes(ActionGotoFrame(1))).Frame();
  movie.Add(DoActionBytes(ActionGotoFrame(0))).Frame();
  CKV_Player player(movie.Load());
  player.Advance();
  EXPECT_FALSE(player.Warnings().Items().empty());
}

TEST(Timeline, MovesChangeTheMatrixAndReplaceOnlySwapsDrawings) {
  std::vector<std::unique_ptr<swftk::CSwfTag>> spriteTags = Frames(1);
  TestMovie movie(20, 20);
  movie.Add(Square(1)).Add(Square(2)).Add(Sprite(5, std::move(spriteTags)));
  movie.Add(Place(1, 1)).Add(Place(5, 2)).Frame();
  movie.Add(Place(2, 1, Options().At(Transform2D::Translation(20, 0)).Moving()));
  movie.Add(Place(1, 2, Options().Moving())).Frame();
  CKV_Player player(movie.Load());
  player.Advance();
  const DisplayList& list = *player.Root().Children();
  EXPECT_EQ(Contents(list), (Contents_t{{1, 2}, {2, 5}}))
      << "the shape was replaced, the sprite stays";
  EXPECT_EQ(list.at(1).placement.matrix.tx, 20);
}

TEST(Timeline, PlacingOverAnObjectReplacesItAndRemovingEmptyDepthsIsHarmless) {
  TestMovie movie(20, 20);
  movie.Add(Square(1)).Add(Square(2)).Add(Place(1, 3)).Add(Remove(7)).Frame();
  movie.Add(Place(2, 3)).Frame();
  CKV_Player player(movie.Load());
  player.Advance();
  EXPECT_EQ(Contents(*player.Root().Children()), (Contents_t{{3, 2}}));
}

TEST(Timeline, MissingCharactersAreNamedAndLeftOut) {
  TestMovie movie(20, 20);
  movie.Add(Place(42, 1)).Frame();
  CKV_Player player(movie.Load());
  ASSERT_EQ(player.Root().Children()->size(), 1U);
  EXPECT_EQ(player.Root().Children()->at(1).instance, nullptr);
  ASSERT_EQ(player.Warnings().Items().size(), 1U);
  EXPECT_EQ(player.Warnings().Items()[0], "character 42 is placed but never defined");
}

TEST(Timeline, SpritesThatPlaceThemselvesAreBounded) {
  // Sprite 5 places itself twice: unbounded, that would make 2^n objects n levels deep.
  std::vector<std::unique_ptr<swftk::CSwfTag>> spriteTags;
  spriteTags.push_back(Place(5, 1));
  spriteTags.push_back(Place(5, 2));
  spriteTags.push_back(ShowFrame());
  TestMovie movie(20, 20);
  movie.Add(Sprite(5, std::move(spriteTags))).Add(Place(5, 1)).Frame();
  CKV_Player player(movie.Load());
  for (int tick = 0; tick < 3; ++tick) player.Advance();
  EXPECT_FALSE(player.Warnings().Items().empty());
  RenderFrameOf(movie.Load(), 2);
}

}  // namespace
}  // namespace player::test
