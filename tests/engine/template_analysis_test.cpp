#include "engine/template_analysis.h"

#include <gtest/gtest.h>

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
    return AnalyseTemplate(request, effect, log.Sink());
  }

  TempDir dir;
  MovieRequest request;
  EffectTemplate effect;
  MessageLog log;
};

const Message kNoEffect{"Invalid plugin", "Couldn't find Effect sprite.", ""};
const Message kNoLetter{"Invalid effect", "Couldn't find Letter sprite.", ""};
const Message kBadLetter{"ZARN | Invalid effect", "Problem with Letter sprite.", ""};

TEST_F(TemplateAnalysis, FindsTheStandardTemplatesSprites) {
  TemplateBuilder builder;
  const StandardIds ids = AddStandardTemplate(builder);
  ASSERT_TRUE(Analyse(builder));
  ASSERT_EQ(effect.effectSprites.size(), 1U);
  EXPECT_EQ(effect.effectSprites[0]->GetCharacterId(), ids.effect);
  EXPECT_EQ(effect.effectId, ids.effect);
  ASSERT_NE(effect.letterSprite, nullptr);
  EXPECT_EQ(effect.letterSprite->GetCharacterId(), ids.letter);
  EXPECT_EQ(effect.letterId, ids.letter);
  // Without a text field the design height is the font's cell.
  EXPECT_EQ(effect.templateEditText, nullptr);
  EXPECT_EQ(effect.templateTextHeight, 1024);
  EXPECT_TRUE(log.messages.empty());
}

TEST_F(TemplateAnalysis, TheLastTextFieldGivesTheDesignHeight) {
  TemplateBuilder builder;
  AddStandardTemplate(builder, true);
  const uint16_t last = builder.AddEditText(250, swftk::CSwfRect(0, 10, 0, 10));
  ASSERT_TRUE(Analyse(builder, true));
  ASSERT_NE(effect.templateEditText, nullptr);
  EXPECT_EQ(effect.templateEditText->GetCharacterId(), last);
  EXPECT_EQ(effect.templateTextHeight, 250);
}

TEST_F(TemplateAnalysis, NumberedEffectsStopAtTheFirstMissingNumber) {
  TemplateBuilder builder;
  const StandardIds ids = AddStandardTemplate(builder);
  const uint16_t second = builder.AddSprite(Tags(Place(ids.letter, 1, "letter"), Frame()));
  const uint16_t third = builder.AddSprite(Tags(Place(ids.letter, 1), Frame()));
  builder.AddRootTag(Place(second, 2, "effect1"));
  builder.AddRootTag(Place(third, 3, "effect3"));
  ASSERT_TRUE(Analyse(builder));
  ASSERT_EQ(effect.effectSprites.size(), 2U);
  EXPECT_EQ(effect.effectSprites[1]->GetCharacterId(), second);
  EXPECT_EQ(effect.effectId, second);
}

TEST_F(TemplateAnalysis, EffectTwoWithoutEffectOneIsNotUsed) {
  TemplateBuilder builder;
  const StandardIds ids = AddStandardTemplate(builder);
  const uint16_t other = builder.AddSprite(Tags(Place(ids.letter, 1), Frame()));
  builder.AddRootTag(Place(other, 2, "effect2"));
  ASSERT_TRUE(Analyse(builder));
  EXPECT_EQ(effect.effectSprites.size(), 1U);
  EXPECT_EQ(effect.effectId, ids.effect);
}

TEST_F(TemplateAnalysis, MovesTheEffectPlacementToTheOriginsHeight) {
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  request.originY = 37;
  ASSERT_TRUE(Analyse(builder));
  const auto* placement = effect.processor.FindPlaceObject2("effect");
  ASSERT_NE(placement, nullptr);
  ASSERT_TRUE(placement->matrix);
  EXPECT_EQ(placement->matrix->translateY, 740);
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
  EXPECT_EQ(effect.letterId, letter);
}

TEST_F(TemplateAnalysis, NamesCompareExactly) {
  for (const char* name : {"Letter", "letter ", "lette"}) {
    TemplateBuilder builder;
    const uint16_t shape = builder.AddShape();
    const uint16_t letter = builder.AddSprite(Tags(Place(shape, 1), Frame()));
    const uint16_t effectSprite = builder.AddSprite(Tags(Place(letter, 1, name), Frame()));
    builder.AddRootTag(Place(effectSprite, 1, "effect"));
    EffectTemplate fresh;
    request.effectPath = dir.File("names.swf");
    builder.Save(request.effectPath);
    log.messages.clear();
    EXPECT_FALSE(AnalyseTemplate(request, fresh, log.Sink())) << name;
    EXPECT_EQ(log.messages, std::vector<Message>{kNoLetter}) << name;
  }
}

TEST_F(TemplateAnalysis, WithBothMissingOnlyTheEffectIsReported) {
  TemplateBuilder builder;
  const uint16_t shape = builder.AddShape();
  builder.AddRootTag(Place(shape, 1, "something"));
  EXPECT_FALSE(Analyse(builder));
  EXPECT_EQ(log.messages, std::vector<Message>{kNoEffect});
}

TEST_F(TemplateAnalysis, ALetterSpriteThatPlacesNothingIsAProblem) {
  TemplateBuilder builder;
  const uint16_t letter = builder.AddSprite(Tags(Frame()));
  const uint16_t effectSprite = builder.AddSprite(Tags(Place(letter, 1, "letter"), Frame()));
  builder.AddRootTag(Place(effectSprite, 1, "effect"));
  EXPECT_FALSE(Analyse(builder));
  EXPECT_EQ(log.messages, std::vector<Message>{kBadLetter});
}

TEST_F(TemplateAnalysis, ALetterThatIsNoSpriteIsRefused) {
  TemplateBuilder builder;
  const uint16_t shape = builder.AddShape();
  const uint16_t effectSprite = builder.AddSprite(Tags(Place(shape, 1, "letter"), Frame()));
  builder.AddRootTag(Place(effectSprite, 1, "effect"));
  EXPECT_FALSE(Analyse(builder));
  EXPECT_EQ(log.messages, std::vector<Message>{kNoLetter});
}

TEST_F(TemplateAnalysis, AnEffectThatIsNoSpriteIsRefused) {
  TemplateBuilder builder;
  const StandardIds ids = AddStandardTemplate(builder);
  builder.AddRootTag(Place(ids.shape, 5, "effect1"));
  EXPECT_FALSE(Analyse(builder));
  EXPECT_EQ(log.messages, std::vector<Message>{kNoEffect});
}

TEST_F(TemplateAnalysis, AnEditTextBuildNeedsATextField) {
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  EXPECT_FALSE(Analyse(builder, true));
  EXPECT_EQ(log.messages, std::vector<Message>{kBadLetter});
}

TEST_F(TemplateAnalysis, UnreadableTemplatesNameTheirPath) {
  request.effectPath = dir.File("missing.swf");
  EXPECT_FALSE(AnalyseTemplate(request, effect, log.Sink()));
  // A stored template without its signature is refused unless it is a ".kvx" file.
  TemplateBuilder builder;
  AddStandardTemplate(builder);
  EffectTemplate second;
  request.effectPath = dir.File("bare.swf");
  builder.Save(request.effectPath, false);
  EXPECT_FALSE(AnalyseTemplate(request, second, log.Sink()));
  EXPECT_EQ(log.messages,
            (std::vector<Message>{
                {"Error",
                 "Encountered a problem reading the effect file: " + dir.File("missing.swf"), ""},
                {"Error", "Encountered a problem reading the effect file: " + dir.File("bare.swf"),
                 ""}}));
}

TEST_F(TemplateAnalysis, KvxTemplatesAreReadWithoutTheirSignature) {
  TemplateBuilder builder;
  const StandardIds ids = AddStandardTemplate(builder);
  ASSERT_TRUE(Analyse(builder, false, "bare.kvx", false));
  EXPECT_EQ(effect.letterId, ids.letter);
}

}  // namespace
}  // namespace engine::test
