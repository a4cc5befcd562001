#include "engine/movie_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "engine_test_support.h"

namespace engine::test {
namespace {

// The cases' labels, not their bytes, in the test log.
using engine::test::PrintTo;

struct CheckCase {
  const char* label;
  std::function<void(MovieSettings&, MovieTarget&)> change;
  std::string text;  // empty: the settings are accepted
  std::string detail;
};

class SettingsChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(SettingsChecks, RefuseWithOneInputErrorOrAccept) {
  MovieSettings settings = ValidSettings();
  MovieTarget target{"effects/spin.swf", "out.swf", false};
  GetParam().change(settings, target);
  FakeFontService fonts;
  MessageLog log;
  const bool accepted = PrepareMovieRequest(settings, target, {}, fonts, log.Sink()).has_value();
  EXPECT_EQ(accepted, GetParam().text.empty());
  const std::vector<Message> expected = {
      {"Kalvoren Zarn | Input Error", GetParam().text, GetParam().detail}};
  EXPECT_EQ(log.messages, accepted ? std::vector<Message>{} : expected);
}

using S = MovieSettings;
using T = MovieTarget;
const char* const kFrom1To3000 = "It must be at least 1 and less than 3000.";
const char* const kSpaceLimits = "It must be at least -3000 and less than 3000.";
const char* const kRateLimits = "It must be at least 1 and less than 100.";
const char* const kAtMost254 = "It must be at most 254 characters long.";

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsChecks,
    ::testing::Values(
        CheckCase{"delay zero", [](S& s, T&) { s.frameDelay = 0; },
                  "Please re-enter the Frame Delay.", kFrom1To3000},
        CheckCase{"delay 3000", [](S& s, T&) { s.frameDelay = 3000; },
                  "Please re-enter the Frame Delay.", kFrom1To3000},
        CheckCase{"width zero", [](S& s, T&) { s.movieWidth = 0; },
                  "Please re-enter the Movie Width.", kFrom1To3000},
        CheckCase{"height 3000", [](S& s, T&) { s.movieHeight = 3000; },
                  "Please re-enter the Movie Height.", kFrom1To3000},
        CheckCase{"rate 100", [](S& s, T&) { s.frameRate = 100.0F; },
                  "Please re-enter the Frame Rate.", kRateLimits},
        CheckCase{"rate half", [](S& s, T&) { s.frameRate = 0.5F; },
                  "Please re-enter the Frame Rate.", kRateLimits},
        CheckCase{"rate not a number",
                  [](S& s, T&) { s.frameRate = std::numeric_limits<float>::quiet_NaN(); },
                  "Please re-enter the Frame Rate.", kRateLimits},
        CheckCase{"line space 3000", [](S& s, T&) { s.lineSpace = 3000; },
                  "Please re-enter the Line Space.", kSpaceLimits},
        CheckCase{"letter space -3001", [](S& s, T&) { s.letterSpace = -3001; },
                  "Please re-enter the Letter Space.", kSpaceLimits},
        // Positions far enough out would overflow in twips.
        CheckCase{"x at the bottom of the int range",
                  [](S& s, T&) { s.originX = std::numeric_limits<int>::min(); },
                  "Please re-enter the X Position.", kSpaceLimits},
        CheckCase{"y 3000", [](S& s, T&) { s.originY = 3000; }, "Please re-enter the Y Position.",
                  kSpaceLimits},
        CheckCase{"no effect", [](S&, T& t) { t.effectPath.clear(); }, "Please select an effect.",
                  ""},
        CheckCase{"no text", [](S& s, T&) { s.text.clear(); }, "Please enter some text.", ""},
        CheckCase{"text outside the code page",
                  [](S& s, T&) {
                    s.text =
                        "\xC5\x81\xC3\xB3"
                        "d\xC5\xBA";
                  },
                  "Please re-enter the Text.",
                  "The character \"\xC5\x81\" (U+0141) cannot be written in Windows-1252."},
        CheckCase{"text of 255", [](S& s, T&) { s.text.assign(255, 'x'); },
                  "Please re-enter the Text.", kAtMost254},
        CheckCase{"font size zero", [](S& s, T&) { s.fontSize = 0; },
                  "Please re-enter the Font Size.", "It must be at least 1 and less than 1000."},
        CheckCase{"link outside the code page",
                  [](S& s, T&) {
                    s.flags.linkMovie = true;
                    s.linkUrl = "http://example.org/\xE2\x86\x92";
                  },
                  "Please re-enter the Link URL.",
                  "The character \"\xE2\x86\x92\" (U+2192) cannot be written in Windows-1252."},
        CheckCase{"target too long",
                  [](S& s, T&) {
                    s.flags.linkMovie = true;
                    s.linkTarget.assign(255, 't');
                  },
                  "Please re-enter the Link Target.", kAtMost254},
        // The checks run in order: only the first failure is reported.
        CheckCase{"width and text",
                  [](S& s, T&) {
                    s.movieWidth = -5;
                    s.text.clear();
                  },
                  "Please re-enter the Movie Width.", kFrom1To3000},
        CheckCase{"delay and everything",
                  [](S& s, T& t) {
                    s = MovieSettings();
                    t.effectPath.clear();
                  },
                  "Please re-enter the Frame Delay.", kFrom1To3000},
        // The values at the edges pass.
        CheckCase{"every value at its edge",
                  [](S& s, T&) {
                    s.frameRate = 99.9F;
                    s.letterSpace = -3000;
                    s.lineSpace = 2999;
                    s.originX = -3000;
                    s.originY = 2999;
                    s.frameDelay = 2999;
                    s.fontSize = 999;
                    s.text.assign(254, 'x');
                  },
                  "", ""},
        CheckCase{"rate 1", [](S& s, T&) { s.frameRate = 1.0F; }, "", ""},
        // All at once needs no delay; the link is not checked when it is off.
        CheckCase{"all at once without delay",
                  [](S& s, T&) {
                    s.flags.allAtOnce = true;
                    s.frameDelay = 0;
                  },
                  "", ""},
        CheckCase{"bad link unused", [](S& s, T&) { s.linkUrl = "\xE2\x86\x92"; }, "", ""}),
    CaseName<CheckCase>);

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
  settings.frameDelay = 256;
  settings.flags.loopMovie = true;
  settings.flags.protect = true;
  settings.flags.linkMovie = true;
  settings.font.lfWeight = 700;
  FakeFontService fonts;
  MessageLog log;
  const std::optional<MovieRequest> request = PrepareMovieRequest(
      settings, {effect, "out.swf", false, 4}, ReadFileBytes(effect), fonts, log.Sink());
  ASSERT_TRUE(request.has_value());
  const MovieRequest& r = *request;
  EXPECT_EQ(std::vector<std::string>(
                {r.effectPath, r.outputPath, r.text, r.linkUrl, r.linkTarget, r.embedGlyphs}),
            std::vector<std::string>(
                {effect, "out.swf", "caf\xE9\r\n!", "http://example.org/", "_blank", "0123"}));
  // The delay is carried whole, above a byte.
  EXPECT_EQ(std::vector<int>({r.movieWidth, r.movieHeight, r.fontSizeTenths, r.originX, r.originY,
                              r.letterSpace, r.lineSpace, r.frameDelay}),
            std::vector<int>({500, 150, 360, 50, 60, -3, 7, 256}));
  EXPECT_EQ(std::vector<bool>({r.loop, r.allAtOnce, r.protect, r.editTextMode, r.lenientSignature}),
            std::vector<bool>({true, false, true, true, false}));
  EXPECT_EQ(r.frameRate, 12.0F);
  EXPECT_EQ(r.textColor, 0x00336699U);
  EXPECT_EQ(r.backgroundColor, 0x00102030U);
  EXPECT_EQ(r.window, &fonts);
  EXPECT_EQ(r.logFont, settings.font);
  EXPECT_TRUE(log.messages.empty());
}

TEST(SettingsRequest, ModesFollowTheirBoxesAndTheEffectVersion) {
  FakeFontService fonts;
  MessageLog log;
  const auto Prepare = [&](const MovieSettings& settings, bool preview, int asked, int version) {
    TemplateBuilder builder;
    if (version != 0) builder.Variable("version", std::to_string(version));
    AddMinimalTemplate(builder);
    return PrepareMovieRequest(settings, {"e.kvx", "o.swf", preview, asked}, builder.Build(false),
                               fonts, log.Sink());
  };
  // Without the link the link fields are empty; without the variable the glyphs stay empty.
  const auto plain = Prepare(ValidSettings(), false, 0, 0);
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(plain->linkUrl + plain->linkTarget + plain->embedGlyphs, "");
  EXPECT_TRUE(plain->lenientSignature);
  // Version 4 makes edit-text movies; below 4 the version asked for decides, above 4 the
  // template's own stands (and stays plain).
  struct {
    int version;
    int asked;
    bool editText;
  } const versions[] = {{0, 0, false}, {3, 3, false}, {3, 4, true}, {4, 0, true},
                        {4, 4, true},  {5, 5, false}, {5, 4, false}};
  for (const auto& c : versions) {
    EXPECT_EQ(Prepare(ValidSettings(), false, c.asked, c.version)->editTextMode, c.editText)
        << c.version;
  }
  // All at once carries a delay of one without checking the box.
  MovieSettings settings = ValidSettings();
  settings.flags.allAtOnce = true;
  settings.frameDelay = 0;
  EXPECT_TRUE(Prepare(settings, false, 3, 3)->allAtOnce);
  EXPECT_EQ(Prepare(settings, false, 3, 3)->frameDelay, 1);
  // The loop comes from the preview box only for a preview.
  settings.flags.loopPreview = true;
  settings.flags.loopMovie = false;
  EXPECT_TRUE(Prepare(settings, true, 0, 3)->loop);
  EXPECT_FALSE(Prepare(settings, false, 3, 3)->loop);
  EXPECT_TRUE(log.messages.empty());
  // A Flash 4 effect cannot be saved as Flash 3.
  EXPECT_FALSE(Prepare(ValidSettings(), false, 3, 4).has_value());
  EXPECT_EQ(log.messages, std::vector<Message>(
                              {{"Kalvoren Zarn | Input Error", "Please save the movie as Flash 4.",
                                "The effect e.kvx is a Flash 4 effect."}}));
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
