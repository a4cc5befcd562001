#include "engine/movie_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "engine_test_support.h"

namespace engine::test {
namespace {

constexpr const char* kCaption = "Kalvoren Zarn | Input Error";

MovieSettings ValidSettings() {
  MovieSettings settings;
  settings.text = "abc";
  settings.linkUrl = "http://example.org/";
  settings.linkTarget = "_blank";
  settings.movieWidth = 500;
  settings.movieHeight = 150;
  settings.originX = 50;
  settings.originY = 60;
  settings.frameDelay = 2;
  settings.frameRate = 12.0F;
  settings.textColor = 0x00336699;
  settings.backgroundColor = 0x00102030;
  settings.fontSize = 36;
  settings.font.SetFaceName("Fake Sans");
  return settings;
}

struct CheckCase {
  const char* label;
  std::function<void(MovieSettings&, MovieTarget&)> change;
  std::string text;
  std::string detail;
};

class SettingsChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(SettingsChecks, RefuseWithOneInputErrorAndNoRequest) {
  MovieSettings settings = ValidSettings();
  MovieTarget target{"effects/spin.swf", "out.swf", false, 3};
  GetParam().change(settings, target);
  FakeFontService fonts;
  MessageLog log;
  EXPECT_FALSE(PrepareMovieRequest(settings, target, fonts, log.Sink()).has_value());
  EXPECT_EQ(log.messages, (std::vector<Message>{{kCaption, GetParam().text, GetParam().detail}}));
}

const char* const kFrom1To3000 = "It must be at least 1 and less than 3000.";
const char* const kSpaceLimits = "It must be at least -3000 and less than 3000.";

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsChecks,
    ::testing::Values(
        CheckCase{"delay zero", [](MovieSettings& s, MovieTarget&) { s.frameDelay = 0; },
                  "Please re-enter the Frame Delay.", kFrom1To3000},
        CheckCase{"delay 3000", [](MovieSettings& s, MovieTarget&) { s.frameDelay = 3000; },
                  "Please re-enter the Frame Delay.", kFrom1To3000},
        CheckCase{"width zero", [](MovieSettings& s, MovieTarget&) { s.movieWidth = 0; },
                  "Please re-enter the Movie Width.", kFrom1To3000},
        CheckCase{"height 3000", [](MovieSettings& s, MovieTarget&) { s.movieHeight = 3000; },
                  "Please re-enter the Movie Height.", kFrom1To3000},
        CheckCase{"rate 100", [](MovieSettings& s, MovieTarget&) { s.frameRate = 100.0F; },
                  "Please re-enter the Frame Rate.", "It must be at least 1 and less than 100."},
        CheckCase{"rate half", [](MovieSettings& s, MovieTarget&) { s.frameRate = 0.5F; },
                  "Please re-enter the Frame Rate.", "It must be at least 1 and less than 100."},
        CheckCase{"rate not a number",
                  [](MovieSettings& s, MovieTarget&) {
                    s.frameRate = std::numeric_limits<float>::quiet_NaN();
                  },
                  "Please re-enter the Frame Rate.", "It must be at least 1 and less than 100."},
        CheckCase{"line space 3000", [](MovieSettings& s, MovieTarget&) { s.lineSpace = 3000; },
                  "Please re-enter the Line Space.", kSpaceLimits},
        CheckCase{"letter space -3001",
                  [](MovieSettings& s, MovieTarget&) { s.letterSpace = -3001; },
                  "Please re-enter the Letter Space.", kSpaceLimits},
        CheckCase{"no effect", [](MovieSettings&, MovieTarget& t) { t.effectPath.clear(); },
                  "Please select an effect.", ""},
        CheckCase{"no text", [](MovieSettings& s, MovieTarget&) { s.text.clear(); },
                  "Please enter some text.", ""},
        CheckCase{"text outside the code page",
                  [](MovieSettings& s, MovieTarget&) {
                    s.text =
                        "\xC5\x81\xC3\xB3"
                        "d\xC5\xBA";
                  },
                  "Please re-enter the Text.",
                  "The character \"\xC5\x81\" (U+0141) cannot be written in Windows-1252."},
        CheckCase{"text of 255", [](MovieSettings& s, MovieTarget&) { s.text.assign(255, 'x'); },
                  "Please re-enter the Text.", "It must be at most 254 characters long."},
        CheckCase{"font size zero", [](MovieSettings& s, MovieTarget&) { s.fontSize = 0; },
                  "Please re-enter the Font Size.", "It must be at least 1 and less than 1000."},
        CheckCase{"link outside the code page",
                  [](MovieSettings& s, MovieTarget&) {
                    s.flags.linkMovie = true;
                    s.linkUrl = "http://example.org/\xE2\x86\x92";
                  },
                  "Please re-enter the Link URL.",
                  "The character \"\xE2\x86\x92\" (U+2192) cannot be written in Windows-1252."},
        CheckCase{"target too long",
                  [](MovieSettings& s, MovieTarget&) {
                    s.flags.linkMovie = true;
                    s.linkTarget.assign(255, 't');
                  },
                  "Please re-enter the Link Target.", "It must be at most 254 characters long."},
        // The checks run in order: only the first failure is reported.
        CheckCase{"width and text",
                  [](MovieSettings& s, MovieTarget&) {
                    s.movieWidth = -5;
                    s.text.clear();
                  },
                  "Please re-enter the Movie Width.", kFrom1To3000},
        CheckCase{"delay and everything",
                  [](MovieSettings& s, MovieTarget& t) {
                    s = MovieSettings();
                    t.effectPath.clear();
                  },
                  "Please re-enter the Frame Delay.", kFrom1To3000}),
    [](const ::testing::TestParamInfo<CheckCase>& info) {
      std::string name;
      for (const char c : std::string(info.param.label)) name += std::isalnum(c) ? c : '_';
      return name;
    });

struct Accepted {
  const char* label;
  std::function<void(MovieSettings&)> change;
};

class SettingsLimits : public ::testing::TestWithParam<Accepted> {};

TEST_P(SettingsLimits, AcceptTheValuesAtTheEdges) {
  MovieSettings settings = ValidSettings();
  GetParam().change(settings);
  FakeFontService fonts;
  MessageLog log;
  EXPECT_TRUE(PrepareMovieRequest(settings, {"e.swf", "o.swf", false, 3}, fonts, log.Sink()));
  EXPECT_TRUE(log.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsLimits,
    ::testing::Values(
        Accepted{"rate 99.9", [](MovieSettings& s) { s.frameRate = 99.9F; }},
        Accepted{"rate 1", [](MovieSettings& s) { s.frameRate = 1.0F; }},
        Accepted{"letter space -3000", [](MovieSettings& s) { s.letterSpace = -3000; }},
        Accepted{"line space 2999", [](MovieSettings& s) { s.lineSpace = 2999; }},
        Accepted{"delay 2999", [](MovieSettings& s) { s.frameDelay = 2999; }},
        Accepted{"size 999", [](MovieSettings& s) { s.fontSize = 999; }},
        Accepted{"text of 254", [](MovieSettings& s) { s.text.assign(254, 'x'); }},
        // Not checked when the link is off.
        Accepted{"bad link unused", [](MovieSettings& s) { s.linkUrl = "\xE2\x86\x92"; }}),
    [](const ::testing::TestParamInfo<Accepted>& info) {
      std::string name;
      for (const char c : std::string(info.param.label)) name += std::isalnum(c) ? c : '_';
      return name;
    });

TEST(SettingsRequest, CarriesEverySettingIntoTheRequest) {
  TempDir dir;
  TemplateBuilder builder;
  builder.Variable("embedGlyphs", "0123");
  AddStandardTemplate(builder);
  const std::string effect = dir.File("spin.swf");
  builder.Save(effect);

  MovieSettings settings = ValidSettings();
  settings.text = "caf\xC3\xA9\r\n!";
  settings.letterSpace = -3;
  settings.lineSpace = 7;
  settings.flags.loopMovie = true;
  settings.flags.protect = true;
  settings.flags.linkMovie = true;
  settings.font.lfWeight = 700;
  FakeFontService fonts;
  MessageLog log;
  const std::optional<MovieRequest> request =
      PrepareMovieRequest(settings, {effect, "out.swf", false, 4}, fonts, log.Sink());
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->effectPath, effect);
  EXPECT_EQ(request->outputPath, "out.swf");
  EXPECT_EQ(request->movieWidth, 500);
  EXPECT_EQ(request->movieHeight, 150);
  EXPECT_EQ(request->frameRate, 12.0F);
  EXPECT_EQ(request->textColor, 0x00336699U);
  EXPECT_EQ(request->backgroundColor, 0x00102030U);
  EXPECT_EQ(request->fontSizeTenths, 360);
  EXPECT_EQ(request->text, "caf\xE9\r\n!");
  EXPECT_EQ(request->window, &fonts);
  EXPECT_EQ(request->logFont, settings.font);
  EXPECT_EQ(request->originX, 50);
  EXPECT_EQ(request->originY, 60);
  EXPECT_TRUE(request->loop);
  EXPECT_EQ(request->letterSpace, -3);
  EXPECT_EQ(request->lineSpace, 7);
  EXPECT_FALSE(request->allAtOnce);
  EXPECT_EQ(request->frameDelay, 2);
  EXPECT_EQ(request->linkUrl, "http://example.org/");
  EXPECT_EQ(request->linkTarget, "_blank");
  EXPECT_TRUE(request->protect);
  EXPECT_TRUE(request->editTextMode);
  EXPECT_FALSE(request->lenientSignature);
  EXPECT_EQ(request->embedGlyphs, "0123");
  EXPECT_TRUE(log.messages.empty());
}

TEST(SettingsRequest, AllAtOnceCarriesADelayOfOneWithoutCheckingTheBox) {
  MovieSettings settings = ValidSettings();
  settings.flags.allAtOnce = true;
  settings.frameDelay = 0;
  FakeFontService fonts;
  MessageLog log;
  const auto request =
      PrepareMovieRequest(settings, {"e.swf", "o.swf", false, 3}, fonts, log.Sink());
  ASSERT_TRUE(request.has_value());
  EXPECT_TRUE(request->allAtOnce);
  EXPECT_EQ(request->frameDelay, 1);
  EXPECT_TRUE(log.messages.empty());
}

TEST(SettingsRequest, CarriesADelayAbove255Whole) {
  MovieSettings settings = ValidSettings();
  settings.frameDelay = 256;
  FakeFontService fonts;
  MessageLog log;
  const auto request =
      PrepareMovieRequest(settings, {"e.swf", "o.swf", false, 3}, fonts, log.Sink());
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->frameDelay, 256);
}

TEST(SettingsRequest, LoopComesFromThePreviewBoxOnlyForAPreview) {
  MovieSettings settings = ValidSettings();
  settings.flags.loopPreview = true;
  settings.flags.loopMovie = false;
  FakeFontService fonts;
  MessageLog log;
  EXPECT_TRUE(PrepareMovieRequest(settings, {"e.swf", "p.swf", true, 3}, fonts, log.Sink())->loop);
  EXPECT_FALSE(
      PrepareMovieRequest(settings, {"e.swf", "o.swf", false, 3}, fonts, log.Sink())->loop);
}

TEST(SettingsRequest, LinkFieldsAreEmptyWhenTheLinkIsOff) {
  FakeFontService fonts;
  MessageLog log;
  const auto request =
      PrepareMovieRequest(ValidSettings(), {"e.swf", "o.swf", false, 3}, fonts, log.Sink());
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(request->linkUrl, "");
  EXPECT_EQ(request->linkTarget, "");
  EXPECT_FALSE(request->editTextMode);
  // Without the file the variable stays empty.
  EXPECT_EQ(request->embedGlyphs, "");
}

TEST(SettingsRequest, OnlyVersionFourSelectsEditTextMode) {
  FakeFontService fonts;
  MessageLog log;
  for (const int version : {0, 3, 4, 5}) {
    const auto request =
        PrepareMovieRequest(ValidSettings(), {"e.swf", "o.swf", false, version}, fonts, log.Sink());
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->editTextMode, version == 4) << version;
  }
}

TEST(SettingsRequest, KvxTemplatesInAnyCaseSkipTheSignatureCheck) {
  EXPECT_TRUE(HasLenientSignature("effects/SPIN.KVX"));
  EXPECT_TRUE(HasLenientSignature("spin.kVx"));
  EXPECT_TRUE(HasLenientSignature(".kvx"));
  EXPECT_FALSE(HasLenientSignature("spin.kvx.bak"));
  EXPECT_FALSE(HasLenientSignature("spin.swf"));
  EXPECT_FALSE(HasLenientSignature("kvx"));
  EXPECT_FALSE(HasLenientSignature("spin_kvx"));
}

TEST(SettingsFields, NumberBoxesReadLikeAtoiAndAtof) {
  EXPECT_EQ(FieldToInt("  42px"), 42);
  EXPECT_EQ(FieldToInt("-17"), -17);
  EXPECT_EQ(FieldToInt("+8"), 8);
  EXPECT_EQ(FieldToInt("px"), 0);
  EXPECT_EQ(FieldToInt(""), 0);
  EXPECT_EQ(FieldToInt("99999999999"), std::numeric_limits<int>::max());
  EXPECT_EQ(FieldToInt("-99999999999"), std::numeric_limits<int>::min());
  EXPECT_EQ(FieldToFloat(" 12.5 fps"), 12.5F);
  EXPECT_EQ(FieldToFloat("fast"), 0.0F);
  EXPECT_TRUE(std::isnan(FieldToFloat("nan")));
  EXPECT_TRUE(std::isinf(FieldToFloat("1e300")));
}

}  // namespace
}  // namespace engine::test
