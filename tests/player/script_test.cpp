// Scripts in the player: paths and targets, properties, order of execution, clones, drags,
// buttons and bound text fields, each in a small movie built here.
#include <gtest/gtest.h>

#include <cmath>

#include "avm/action_codes.h"
#include "avm/property_names.h"
#include "player/clip_properties.h"
#include "player/edit_text_instance.h"
#include "player/sprite_instance.h"
#include "swftk/button.h"
#include "test_movie.h"
#include "tests/avm/script_builder.h"

namespace player::test {
namespace {

namespace op = avm::op;
using avm::test::ScriptBuilder;

std::unique_ptr<swftk::CSwfPlaceObject2> Named(uint16_t id, uint16_t depth, const char* name,
                                               const Transform2D& matrix = {}) {
  auto place = Place(id, depth, matrix);
  place->name = name;
  return place;
}

std::unique_ptr<swftk::CSwfTag> Script(const ScriptBuilder& script) {
  Bytes bytes = script.Build();
  bytes.pop_back();
  return DoAction(std::move(bytes));
}

// Plays a movie for some frames and gives its traces.
struct Played {
  explicit Played(const TestMovie& movie, int advances = 0)
      : player(movie.Load(), Options(traces)) {
    for (int i = 0; i < advances; ++i) player.Advance();
  }
  static PlayerOptions Options(std::vector<std::string>& traces) {
    PlayerOptions options;
    options.onTrace = [&traces](const std::string& line) { traces.push_back(line); };
    return options;
  }
  std::vector<std::string> traces;
  CKV_Player player;
};

// A square sprite 10 px wide ("a" at depth 1, x 5 px) holding a sprite "b".
TestMovie Nested(ScriptBuilder rootScript) {
  TestMovie movie(100, 100);
  movie.Add(FilledRect(1, kRed, 0, 0, 200, 200));
  movie.Add(Sprite(2, TagList(Place(1, 1), ShowFrame())));
  movie.Add(Sprite(3, TagList(Place(1, 1), Named(2, 2, "b"), ShowFrame())));
  movie.Add(Named(3, 1, "a", Transform2D::Translation(100, 0)), Script(rootScript)).Frame();
  return movie;
}

ScriptBuilder& TraceProperty(ScriptBuilder& s, const std::string& path, int index) {
  return s.Str(path).Num(index).Op(op::kGetProperty).Trace();
}

TEST(Scripts, PathsAndTargets) {
  ScriptBuilder s;
  s.Str("/a/b:v").Num(5).Op(op::kSetVariable).Get("a/b:v").Trace();
  TraceProperty(s, "/a", avm::kPropName);
  TraceProperty(s, "/A/B", avm::kPropTarget);
  TraceProperty(s, "", avm::kPropTarget);
  TraceProperty(s, "_level0/a", avm::kPropX);
  s.Text(op::kSetTarget, "/a/b");
  TraceProperty(s, "..", avm::kPropName);
  s.Get("../b:v").Trace().Get("/:nothing").Trace();
  s.Text(op::kSetTarget, "");
  TraceProperty(s, "//a", avm::kPropName);
  TraceProperty(s, "/a/missing", avm::kPropName);
  Played played(Nested(s));
  EXPECT_EQ(played.traces, (std::vector<std::string>{"5", "a", "/a/b", "/", "5", "a", "5",
                                                     "undefined", "undefined", "undefined"}));
  EXPECT_EQ(played.player.FindClip("/a/b"), played.player.FindClip("a/b/../b"));
  EXPECT_EQ(played.player.FindClip("_level3"), nullptr);
}

TEST(Scripts, Properties) {
  ScriptBuilder s;
  for (const int index :
       {avm::kPropWidth, avm::kPropHeight, avm::kPropXScale, avm::kPropAlpha, avm::kPropVisible,
        avm::kPropCurrentFrame, avm::kPropTotalFrames, avm::kPropQuality})
    TraceProperty(s, "/a", index);
  s.Str("/a").Num(avm::kPropX).Str("12.5").Op(op::kSetProperty);
  s.Str("/a").Num(avm::kPropXScale).Num(200).Op(op::kSetProperty);
  s.Str("/a").Num(avm::kPropRotation).Num(90).Op(op::kSetProperty);
  s.Str("/a").Num(avm::kPropAlpha).Num(50).Op(op::kSetProperty);
  s.Str("/a").Num(avm::kPropVisible).Num(0).Op(op::kSetProperty);
  s.Str("/a").Num(avm::kPropY).Str("x").Op(op::kSetProperty);  // not a number: ignored
  s.Str("/a").Num(avm::kPropName).Str("c").Op(op::kSetProperty);
  for (const int index :
       {avm::kPropX, avm::kPropY, avm::kPropXScale, avm::kPropRotation, avm::kPropHeight})
    TraceProperty(s, "/c", index);
  Played played(Nested(s));
  EXPECT_EQ(played.traces, (std::vector<std::string>{"10", "10", "100", "100", "1", "1", "1",
                                                     "HIGH", "12.5", "0", "200", "90", "20"}));
  CKV_SpriteInstance* clip = played.player.FindClip("/c");
  ASSERT_NE(clip, nullptr);
  EXPECT_FALSE(clip->Placed().visible);
  EXPECT_EQ(clip->Placed().placement.colorTransform.alphaMult, 128);
  // What the host sets goes by the same rules: no NaN, coordinates kept in range.
  EXPECT_FALSE(SetClipProperty(*clip, avm::kPropX, std::nan(""), played.player.Context()));
  EXPECT_TRUE(SetClipProperty(*clip, avm::kPropY, 1e300, played.player.Context()));
  EXPECT_EQ(GetClipProperty(*clip, avm::kPropY, played.player.Context()).ToNumber(),
            2147483647.0 / 20);
  EXPECT_FALSE(SetClipProperty(*clip, avm::kPropTotalFrames, 3.0, played.player.Context()));
}

TEST(Scripts, MovedClipsIgnoreLaterTimelineMoves) {
  for (const bool scripted : {false, true}) {
    ScriptBuilder s;
    if (scripted) s.Str("/a").Num(avm::kPropX).Num(50).Op(op::kSetProperty);
    TestMovie movie(100, 100);
    movie.Add(FilledRect(1, kRed, 0, 0, 200, 200), Sprite(2, TagList(Place(1, 1), ShowFrame())));
    movie.Add(Named(2, 1, "a"), Script(s)).Frame();
    movie.Add(Move(1, Transform2D::Translation(400, 0))).Frame();
    Played played(movie, 1);
    const double x = played.player.FindClip("/a")->Placed().placement.matrix.tx;
    EXPECT_EQ(x, scripted ? 1000 : 400) << scripted;
    // A loop back to frame 1 keeps what the script did as well.
    played.player.Advance();
    EXPECT_EQ(played.player.FindClip("/a")->Placed().placement.matrix.tx, scripted ? 1000 : 0);
  }
}

TEST(Scripts, OrderOfExecution) {
  TestMovie movie(100, 100);
  // The child's first frame reads what the parent's script of the same frame set.
  movie.Add(Sprite(
      2, TagList(Script(ScriptBuilder().Str("child").Trace().Get("v").Trace()), ShowFrame())));
  movie
      .Add(Named(2, 1, "a"),
           Script(ScriptBuilder().Str("parent").Trace().Str("a:v").Str("set").Op(op::kSetVariable)))
      .Frame();
  movie.Add(Script(ScriptBuilder().Str("frame 2").Trace().Op(op::kStop))).Frame();
  movie.Add(Script(ScriptBuilder().Str("frame 3").Trace())).Frame();
  Played played(movie, 3);
  EXPECT_EQ(played.traces, (std::vector<std::string>{"parent", "child", "set", "frame 2"}));
  EXPECT_EQ(played.player.CurrentFrame(), 2U);
}

TEST(Scripts, ClonesAndRemoval) {
  ScriptBuilder s;
  s.Str("/a").Str("copy").Num(1).Op(op::kCloneSprite);
  TraceProperty(s, "/copy", avm::kPropX);
  s.Str("/a").Op(op::kRemoveSprite);  // placed by the timeline: stays
  s.Str("/copy").Op(op::kRemoveSprite);
  TraceProperty(s, "/copy", avm::kPropName);
  TraceProperty(s, "/a", avm::kPropName);
  Played played(Nested(s));
  EXPECT_EQ(played.traces, (std::vector<std::string>{"5", "undefined", "a"}));
  EXPECT_EQ(played.player.Context().liveClones, 0U);
}

TEST(Scripts, DragFollowsThePointerWithinBounds) {
  ScriptBuilder s;
  s.Num(0).Num(0).Num(20).Num(30).Num(1).Num(1).Str("/a").Op(op::kStartDrag);
  Played played(Nested(s));
  const auto position = [&played] {
    const Transform2D& m = played.player.FindClip("/a")->Placed().placement.matrix;
    return std::make_pair(m.tx / 20, m.ty / 20);
  };
  played.player.MouseMove(12, 7);
  EXPECT_EQ(position(), std::make_pair(12.0, 7.0));
  played.player.MouseMove(90, -5);
  EXPECT_EQ(position(), std::make_pair(20.0, 0.0));
}

// A button 10 px square at (20, 20) whose actions trace each transition they wait for.
TestMovie ButtonMovie() {
  auto button = std::make_unique<swftk::CSwfDefineButton2>();
  button->characterId = 5;
  for (const uint8_t states : {swftk::ButtonRecord::kUp | swftk::ButtonRecord::kHitTest,
                               int{swftk::ButtonRecord::kOver}, int{swftk::ButtonRecord::kDown}}) {
    auto record = std::make_unique<swftk::ButtonRecord>();
    record->states = states;
    record->characterId = static_cast<uint16_t>(states & swftk::ButtonRecord::kUp ? 1 : 2);
    record->depth = static_cast<uint16_t>(states);
    record->matrix = SwfMatrix({});
    record->colorTransform = std::make_unique<swftk::CSwfColorTransformAlpha>();
    button->AddRecord(std::move(record));
  }
  const std::pair<uint16_t, const char*> transitions[] = {
      {0x01, "over"},     {0x02, "out"},       {0x04, "press"},          {0x08, "release"},
      {0x10, "drag out"}, {0x20, "drag over"}, {0x40, "release outside"}};
  for (const auto& [condition, text] : transitions) {
    auto actions = std::make_unique<swftk::CSwfDoAction>();
    actions->AddAction(std::make_unique<swftk::CSwfActionPush>(text));
    actions->AddAction(std::make_unique<swftk::CSwfActionUnknown>(op::kTrace));
    button->AddAction(std::move(actions));
    button->AddCondition(condition);
  }
  TestMovie movie(100, 100);
  movie.Add(FilledRect(1, kRed, 0, 0, 200, 200), FilledRect(2, kGreen, 0, 0, 200, 200));
  movie.Add(std::move(button), Place(5, 1, Transform2D::Translation(400, 400))).Frame();
  return movie;
}

TEST(Scripts, ButtonTransitions) {
  Played played(ButtonMovie());
  CKV_Player& player = played.player;
  player.MouseMove(5, 5);
  EXPECT_FALSE(player.IsOverButton());
  player.MouseMove(25, 25);
  EXPECT_TRUE(player.IsOverButton());
  player.MouseDown();
  player.MouseMove(50, 50);  // the press keeps the pointer: no hover elsewhere
  player.MouseMove(26, 26);
  player.MouseUp();
  player.MouseDown();
  player.MouseMove(80, 80);
  player.MouseUp();
  EXPECT_FALSE(player.IsOverButton());
  EXPECT_EQ(played.traces,
            (std::vector<std::string>{"over", "press", "drag out", "drag over", "release", "press",
                                      "drag out", "release outside"}));
}

TEST(Scripts, BoundFieldsFollowTheirVariable) {
  TestMovie movie(100, 100);
  movie.Add(DefineFont2(1, {{'A', {{0, -800, 800, 0}}, 1000}}, 800, 200));
  movie.Add(EditText(2, kBlack, 0, 0, 2000, 400, 240, "initial"));
  movie.Add(Sprite(3, TagList(Place(2, 1), ShowFrame())));
  movie.Add(Named(3, 1, "letter")).Frame();
  movie
      .Add(Script(
          ScriptBuilder().Get("letter:v").Trace().Str("/letter:v").Str("A").Op(op::kSetVariable)))
      .Frame();
  Played played(movie);
  const auto text = [&played] {
    const DisplayList& inner = *played.player.FindClip("/letter")->Children();
    return dynamic_cast<const CKV_EditTextInstance&>(*inner.at(1).instance).Text();
  };
  EXPECT_EQ(text(), "initial");
  played.player.Advance();
  EXPECT_EQ(played.traces, std::vector<std::string>{"initial"});
  EXPECT_EQ(text(), "A");
}

}  // namespace
}  // namespace player::test
