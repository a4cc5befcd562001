// Reading effect templates: their sprites, their variables and their faults.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "engine/effect_variable.h"
#include "engine/template_analysis.h"
#include "engine_test_support.h"
#include "swftk/edit_text.h"
#include "swftk/sprite.h"

namespace engine::test {
namespace {

class TemplateAnalysis : public ::testing::Test {
 protected:
  // Saves the template and analyses it; the messages land in log.
  bool Analyse(const TemplateBuilder& builder, bool editText = false,
               const std::string& name = "effect.swf", bool withSignature = true) {
    request.effectPath = dir.File(name);
    request.editTextMode = editText;
    request.lenientSignature = name.ends_with(".kvx");
    builder.Save(request.effectPath, withSignature);
    effect = std::make_unique<EffectTemplate>();
    return AnalyseTemplate(request, *effect, log.Sink());
  }

  TempDir dir;
  MovieRequest request;
  std::unique_ptr<EffectTemplate> effect = std::make_unique<EffectTemplate>();
  MessageLog log;
};

TEST_F(TemplateAnalysis, FindsTheStandardTemplatesSprites) {
  TemplateBuilder builder;
  const StandardIds ids = AddStandardTemplate(builder);
  request.originY = 37;
  ASSERT_TRUE(Analyse(builder));
  ASSERT_EQ(effect->effectSprites.size(), 1U);
  EXPECT_EQ(effect->effectSprites[0]->GetCharacterId(), ids.effect);
  EXPECT_EQ(effect->effectId, ids.effect);
  ASSERT_NE(effect->letterSprite, nullptr);
  EXPECT_EQ(effect->letterSprite->GetCharacterId(), ids.letter);
  EXPECT_EQ(effect->letterId, ids.letter);
  // Without a text field the design height is the font's cell.
  EXPECT_EQ(effect->templateEditText, nullptr);
  EXPECT_EQ(effect->templateTextHeight, 1024);
  // The effect's placement moves to the origin's height.
  const auto* placement = effect->processor.FindPlaceObject2("effect");
  ASSERT_TRUE(placement != nullptr && placement->matrix);
  EXPECT_EQ(placement->matrix->translateY, 740);
  EXPECT_TRUE(log.messages.empty());
  // A ".kvx" template may leave out its signature.
  ASSERT_TRUE(Analyse(builder, false, "bare.kvx", false));
  EXPECT_EQ(effect->letterId, ids.letter);
}

// A template cut short still fails with the usual message, with what is damaged below it.
TEST_F(TemplateAnalysis, ADamagedTemplateSaysWhatIsDamaged) {
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  builder.Save(dir.File("whole.swf"));
  Bytes bytes = ReadFileBytes(dir.File("whole.swf"));
  bytes.resize(40);
  bytes[4] = 40;
  WriteFileBytes(dir.File("cut.swf"), bytes);
  request.effectPath = dir.File("cut.swf");
  EXPECT_FALSE(AnalyseTemplate(request, *effect, log.Sink()));
  ASSERT_EQ(log.messages.size(), 1U);
  EXPECT_EQ(log.messages[0].text, "Couldn't find Effect sprite.");
  EXPECT_TRUE(log.messages[0].detail.starts_with("tag ")) << log.messages[0].detail;
  EXPECT_NE(log.messages[0].detail.find(" declares a body of "), std::string::npos);
}

TEST_F(TemplateAnalysis, TheLastTextFieldGivesTheDesignHeight) {
  TemplateBuilder builder;
  AddStandardTemplate(builder, true);
  const uint16_t last = builder.AddEditText(250, swftk::CSwfRect(0, 10, 0, 10));
  ASSERT_TRUE(Analyse(builder, true));
  ASSERT_NE(effect->templateEditText, nullptr);
  EXPECT_EQ(effect->templateEditText->GetCharacterId(), last);
  EXPECT_EQ(effect->templateTextHeight, 250);
}

TEST_F(TemplateAnalysis, NumberedEffectsStopAtTheFirstMissingNumber) {
  TemplateBuilder builder;
  const StandardIds ids = AddStandardTemplate(builder);
  const uint16_t second = builder.AddSprite(Tags(Place(ids.letter, 1, "letter"), Frame()));
  const uint16_t third = builder.AddSprite(Tags(Place(ids.letter, 1), Frame()));
  builder.AddRootTag(Place(second, 2, "effect1"));
  builder.AddRootTag(Place(third, 3, "effect3"));
  builder.AddRootTag(Place(third, 4, "effect4"));
  ASSERT_TRUE(Analyse(builder));
  ASSERT_EQ(effect->effectSprites.size(), 2U);
  EXPECT_EQ(effect->effectSprites[1]->GetCharacterId(), second);
  EXPECT_EQ(effect->effectId, second);
}

TEST_F(TemplateAnalysis, FindsALetterNestedTwoSpritesDeep) {
  TemplateBuilder builder;
  const uint16_t shape = builder.AddShape();
  const uint16_t letter = builder.AddSprite(Tags(Place(shape, 1), Frame()));
  const uint16_t inner = builder.AddSprite(Tags(Place(letter, 1, "letter"), Frame()));
  const uint16_t outer = builder.AddSprite(Tags(Place(inner, 1, "wrap"), Frame()));
  const uint16_t effectSprite = builder.AddSprite(Tags(Place(shape, 1), Frame()));
  builder.AddRootTag(Place(outer, 1, "holder"));
  builder.AddRootTag(Place(effectSprite, 2, "effect"));
  ASSERT_TRUE(Analyse(builder));
  EXPECT_EQ(effect->letterId, letter);
}

// A template whose effect sprite places, under `name`, a letter sprite or else a bare shape.
TemplateBuilder EffectPlacing(const char* name, bool letterIsSprite = true) {
  TemplateBuilder builder;
  const uint16_t shape = builder.AddShape();
  const uint16_t letter =
      letterIsSprite ? builder.AddSprite(Tags(Place(shape, 1), Frame())) : shape;
  builder.AddRootTag(Place(builder.AddSprite(Tags(Place(letter, 1, name), Frame())), 1, "effect"));
  return builder;
}

const Message kNoEffect{"Invalid plugin", "Couldn't find Effect sprite.", ""};
const Message kNoLetter{"Invalid effect", "Couldn't find Letter sprite.", ""};
const Message kBadLetter{"ZARN | Invalid effect", "Problem with Letter sprite.", ""};

TEST_F(TemplateAnalysis, RefusesTemplatesWithoutUsableSprites) {
  TemplateBuilder noEffect;  // with both missing only the effect is reported
  noEffect.AddRootTag(Place(noEffect.AddShape(), 1, "something"));
  TemplateBuilder effectShape, emptyLetter, noField;
  effectShape.AddRootTag(Place(AddStandardTemplate(effectShape).shape, 5, "effect1"));
  const uint16_t empty = emptyLetter.AddSprite(Tags(Frame()));
  emptyLetter.AddRootTag(
      Place(emptyLetter.AddSprite(Tags(Place(empty, 1, "letter"), Frame())), 1, "effect"));
  AddStandardTemplate(noField);
  const struct {
    const char* label;
    TemplateBuilder builder;
    bool editText;
    Message message;
  } cases[] = {
      {"no effect", std::move(noEffect), false, kNoEffect},
      {"an effect that is no sprite", std::move(effectShape), false, kNoEffect},
      // Names compare exactly.
      {"Letter", EffectPlacing("Letter"), false, kNoLetter},
      {"letter with a space", EffectPlacing("letter "), false, kNoLetter},
      {"lette", EffectPlacing("lette"), false, kNoLetter},
      {"a letter that is no sprite", EffectPlacing("letter", false), false, kNoLetter},
      {"a letter that places nothing", std::move(emptyLetter), false, kBadLetter},
      {"edit text without a field", std::move(noField), true, kBadLetter},
  };
  for (const auto& c : cases) {
    log.messages.clear();
    EXPECT_FALSE(Analyse(c.builder, c.editText)) << c.label;
    EXPECT_EQ(log.messages, std::vector<Message>{c.message}) << c.label;
  }
}

TEST_F(TemplateAnalysis, UnreadableTemplatesNameTheirPath) {
  request.effectPath = dir.File("missing.swf");
  EXPECT_FALSE(AnalyseTemplate(request, *effect, log.Sink()));
  // A stored template without its signature is refused unless it is a ".kvx" file.
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  EXPECT_FALSE(Analyse(builder, false, "bare.swf", false));
  const std::string prefix = "Encountered a problem reading the effect file: ";
  EXPECT_EQ(log.messages, (std::vector<Message>{{"Error", prefix + dir.File("missing.swf"), ""},
                                                {"Error", prefix + dir.File("bare.swf"), ""}}));
}

// The bytes a template's DoAction holds for one variable: push name, push value.
std::string PushedVariable(const std::string& name, const std::string& value) {
  const auto push = [](const std::string& text) {
    const auto length = static_cast<char>(text.size() + 2);
    return std::string("\x96", 1) + length + std::string("\0\0", 2) + text + std::string(1, '\0');
  };
  return push(name) + push(value) + "\x1D";
}

TEST(EffectVariable, TheValueFollowsTheFirstNameWithItsZero) {
  const struct {
    const char* label;
    std::string bytes, key;
    std::optional<std::string> value;
  } cases[] = {
      {"plain", "FWS\x04" + PushedVariable("name", "Spin"), "name", "Spin"},
      {"second of two", PushedVariable("name", "Spin") + PushedVariable("version", "4"), "version",
       "4"},
      // "name" inside "names" has no zero after it; the pushed name later does.
      {"inside a longer word", "the names" + PushedVariable("name", "Wave"), "name", "Wave"},
      // The second n is consumed while comparing, so the scan never starts at it.
      {"no step back", std::string("nname\0\x96\x07\0\0late\0", 15), "name", std::nullopt},
      {"one byte before", std::string("xname\0\x96\x07\0\0late\0", 15), "name", "late"},
      {"absent", PushedVariable("name", "Spin"), "embedGlyphs", std::nullopt},
      // The copy stops at the end of the file when no zero ends the value.
      {"value cut by the end", std::string("name\0\x96\x07\0\0Spi", 12), "name", "Spi"},
      {"empty value", PushedVariable("embedGlyphs", ""), "embedGlyphs", ""},
      {"empty file", "", "name", std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(FindEffectVariable(Bytes(c.bytes.begin(), c.bytes.end()), c.key), c.value) << c.label;
  }
  EXPECT_EQ(FindEffectVersion(Bytes()), 0);
}

TEST(EffectVariable, ReadsABuiltTemplateAndFailsOnlyWhenTheFileCannotBeOpened) {
  TempDir dir;
  TemplateBuilder builder;
  builder.Variable("name", "Zoom In").Variable("version", "4").Variable("embedGlyphs", "0123");
  AddStandardTemplate(builder);
  const std::string path = dir.File("zoom.swf");
  builder.Save(path);
  std::string glyphs;
  EXPECT_TRUE(ReadEffectVariable("embedGlyphs", glyphs, path));
  EXPECT_EQ(glyphs, "0123");

  std::string value = "untouched";
  EXPECT_FALSE(ReadEffectVariable("name", value, dir.File("missing.swf")));
  EXPECT_FALSE(ReadEffectVariable("name", value, dir.File(".")));  // a folder
  EXPECT_EQ(value, "untouched");
}

}  // namespace
}  // namespace engine::test
