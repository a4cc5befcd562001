#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effectc/effect_compiler.h"
#include "swftk/actions.h"
#include "swftk/place_object.h"
#include "swftk/processor.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "tests/support/temp_dir.h"

namespace effectc {
namespace {

using Bytes = std::vector<uint8_t>;

const char* const kTwoLayerEffect = R"({
  "name": "Echo", "version": 4, "frames": 4, "embedGlyphs": "xyz",
  "layers": [
    { "type": "letter", "name": "echo", "keys": [ { "frame": 2, "x": -10 }, { "frame": 4, "x": 0 } ] },
    { "type": "shape", "draw": [ { "rect": { "x": 0, "y": 0, "width": 4, "height": 4 }, "fill": "#FF0000" } ] },
    { "type": "letter", "keys": [ { "frame": 1, "alpha": 0 }, { "frame": 3, "alpha": 100 } ] }
  ],
  "actions": [ { "frame": 3, "code": [ "push \"seen\", 1", "setVariable" ] } ]
})";

Bytes Compile(const std::string& source, OutputKind kind) {
  Bytes bytes;
  std::string error;
  EXPECT_TRUE(CompileSource(source, kind, bytes, error)) << error;
  return bytes;
}

uint32_t LengthField(const Bytes& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<uint32_t>(bytes[at + 3]) << 24;
}

TEST(EffectCompiler, AKvxIsTheMovieWithoutItsSignature) {
  const Bytes swf = Compile(kTwoLayerEffect, OutputKind::kSwf);
  const Bytes kvx = Compile(kTwoLayerEffect, OutputKind::kKvx);
  ASSERT_GT(swf.size(), 8U);
  EXPECT_EQ(Bytes(swf.begin(), swf.begin() + 4), (Bytes{'F', 'W', 'S', 4}));
  EXPECT_EQ(LengthField(swf, 4), swf.size());
  EXPECT_EQ(kvx, Bytes(swf.begin() + 4, swf.end()));
  // The length field opens the file and still counts the four bytes left out.
  EXPECT_EQ(LengthField(kvx, 0), kvx.size() + 4);
}

// The template as the engine reads it: lenient for ".kvx", checked for ".swf".
class CompiledTemplate : public ::testing::Test {
 protected:
  void Load(OutputKind kind) {
    const Bytes bytes = Compile(kTwoLayerEffect, kind);
    const std::string path = folder_.File(kind == OutputKind::kKvx ? "t.kvx" : "t.swf");
    zarn::test::WriteFileBytes(path, bytes);
    ASSERT_EQ(reader.Open(path, kind == OutputKind::kSwf, true), 0);
    processor.Split(reader.GetTags());
  }
  swftk::CSwfReader reader;
  swftk::CSwfProcessor processor;

 private:
  zarn::test::TempDir folder_;
};

TEST_F(CompiledTemplate, FollowsTheTemplateConventions) {
  for (const OutputKind kind : {OutputKind::kKvx, OutputKind::kSwf}) {
    Load(kind);
    // The variables come first of all, in the push, push, set form.
    const auto& tags = reader.GetTags();
    ASSERT_EQ(tags[0]->GetTagCode(), swftk::tagcode::kDoAction);
    const auto& actions = static_cast<const swftk::CSwfDoAction&>(*tags[0]).actions;
    std::vector<std::string> pushed;
    for (const auto& action : actions) {
      if (const auto* push = dynamic_cast<const swftk::CSwfActionPush*>(action.get()))
        pushed.push_back(push->text);
      else
        EXPECT_EQ(action->GetActionCode(), swftk::actioncode::kSetVariable);
    }
    EXPECT_EQ(pushed,
              (std::vector<std::string>{"version", "4", "embedGlyphs", "xyz", "name", "Echo"}));

    // Characters carry the ids 1, 2, 3 ... in file order, so the dictionary finds them.
    const auto characters = processor.GetCharacters();
    for (size_t i = 0; i < characters.size(); ++i) {
      ASSERT_NE(characters[i], nullptr) << i;
      EXPECT_EQ(characters[i]->GetCharacterId(), i + 1);
    }

    // The analysis of every library effect finds the sprites and the letter's field; here
    // the effect is placed once only.
    ASSERT_NE(processor.FindPlaceObject2("effect"), nullptr);
    EXPECT_EQ(processor.FindPlaceObject2("effect1"), nullptr);
    reader.Clear();
  }
}

TEST_F(CompiledTemplate, LayersBecomeDepthsAndFramesOfTheEffect) {
  Load(OutputKind::kSwf);
  const auto* effect = dynamic_cast<const swftk::CSwfDefineSprite*>(
      processor.GetCharacter(processor.FindPlaceObject2("effect")->characterId));
  ASSERT_NE(effect, nullptr);
  // Per frame: what is placed (depth, new or moved) and which scripts run.
  std::vector<std::string> frames(1);
  for (const auto& tag : effect->tags) {
    if (const auto* place = dynamic_cast<const swftk::CSwfPlaceObject2*>(tag.get())) {
      frames.back() += (place->move ? "move " : "place ") + std::to_string(place->depth) +
                       (place->name.empty() ? "" : " " + place->name) + "; ";
    } else if (const auto* script = dynamic_cast<const swftk::CSwfDoAction*>(tag.get())) {
      frames.back() += "script of " + std::to_string(script->actions.size()) + "; ";
    } else if (tag->GetTagCode() == swftk::tagcode::kShowFrame) {
      frames.emplace_back();
    }
  }
  const std::vector<std::string> expected = {
      "place 2; place 3 letter; ",
      // The echo copies the letter's text in its first frame: push, push, get, set.
      "place 1 echo; move 3; script of 4; ",
      "move 1; move 3; script of 3; ",
      // The last frame stops the effect.
      "move 1; script of 1; ",
      "",
  };
  EXPECT_EQ(frames, expected);
}

TEST(EffectCompiler, RefusesWhatTheEngineCannotReplay) {
  struct Case {
    std::string source;
    std::string error;
  };
  const std::string v3 = R"("name": "x", "version": 3, "frames": 3, )";
  const std::string v4 = R"("name": "x", "version": 4, "frames": 3, )";
  const std::string square =
      R"({"type": "shape", "draw": [{"rect": {"x": 0, "y": 0, "width": 1, "height": 1}, "fill": "#000000"}]})";
  const Case cases[] = {
      {"{" + v3 + R"("layers": [{"type": "letter"}, )" + square + "]}",
       "layers[1]: a version-3 effect has one letter layer and nothing else: the movie replays "
       "every placement as the letter (use version 4 for more layers)"},
      {"{" + v3 + R"("layers": [{"type": "letter"}], "actions": [{"frame": 1, "code": []}]})",
       "actions: version-3 movies leave out the effect's scripts: use version 4"},
      {"{" + v3 + R"("loop": true, "layers": [{"type": "letter"}]})",
       "loop: version-3 movies play the effect once per letter: use version 4"},
      {"{" + v4 + R"("layers": [)" + square + "]}",
       "layers: an effect needs a letter layer named \"letter\""},
      {"{" + v4 + R"("layers": [{"type": "letter", "keys": [{"frame": 2}]}]})",
       "layers[0]: the letter is there from frame 1, when the movie sets its text: give it a "
       "keyframe at frame 1 (alpha 0 hides it)"},
      {"{" + v4 + R"("layers": [{"type": "letter"}, {"type": "letter", "name": "e"}]})",
       "layers[1]: echoes of the letter start in frame 2 or later"},
      {"{" + v4 +
           R"("layers": [{"type": "letter"}, {"type": "button", "draw": [{"ellipse": {"cx": 0, "cy": 0, "rx": 1}, "fill": "#000000"}]}]})",
       "layers[1]: buttons do not travel into movies made from an effect"},
      {"{" + v4 + R"("embedGlyphs": "surname", "layers": [{"type": "letter"}]})",
       "embedGlyphs: may not end in \"name\": reorder its characters"},
      {"{" + v4 +
           R"("layers": [{"type": "letter"}], "actions": [{"frame": 1, "code": ["jump x"]}]})",
       "actions[0].code[0]: label \"x\" is not defined"},
      {R"({"kind": "movie", "width": 9, "height": 9, "frameRate": 9,
           "clip": {"name": "c", "frames": 1, "layers": [{"type": "letter"}]}})",
       "clip.layers[0]: letter layers belong to effects"},
  };
  for (const Case& c : cases) {
    Bytes bytes;
    std::string error;
    EXPECT_FALSE(CompileSource(c.source, OutputKind::kKvx, bytes, error)) << c.source;
    EXPECT_EQ(error, c.error);
    EXPECT_TRUE(bytes.empty());
  }
}

}  // namespace
}  // namespace effectc
