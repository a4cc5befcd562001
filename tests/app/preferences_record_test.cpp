// The preferences record: its bytes, its round trip and its defensive reading.
#include "app/preferences_record.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace zarn::app::test {
namespace {

uint32_t U32At(const PreferenceBytes& bytes, size_t offset) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}
void PutU32(PreferenceBytes& bytes, size_t offset, uint32_t value) {
  std::memcpy(bytes.data() + offset, &value, 4);
}
std::string TextAt(const PreferenceBytes& bytes, size_t offset) {
  return reinterpret_cast<const char*>(bytes.data() + offset);
}

TEST(PreferencesRecord, FreshRecordHoldsEveryDefaultAtItsOffset) {
  const PreferenceBytes bytes = EncodePreferences(DefaultPreferences());
  struct Word {
    size_t offset;
    uint32_t value;
  };
  for (const Word& word : std::vector<Word>{
           {0, 1},    {4, 2},     {8, 0},     {16, 50},   {340, 0},   {344, 0},        {348, 50},
           {352, 0},  {484, 36},  {488, 1},   {492, 500}, {496, 150}, {632, 0xFFFFFF}, {640, 0},
           {900, 80}, {1160, 50}, {1164, 50}, {1168, 80}, {1256, 2},  {1260, 2}}) {
    EXPECT_EQ(U32At(bytes, word.offset), word.value) << "offset " << word.offset;
  }
  EXPECT_EQ(std::bit_cast<float>(U32At(bytes, 500)), 12.0F);
  EXPECT_EQ(TextAt(bytes, 20), kDefaultLinkAddress);
  EXPECT_EQ(TextAt(bytes, 148), "_parent");
  EXPECT_EQ(TextAt(bytes, 504), "Arial");
  EXPECT_EQ(TextAt(bytes, 904), "Kalvoren Zarn");
  struct Byte {
    size_t offset;
    uint8_t value;
  };
  for (const Byte& flag : std::vector<Byte>{
           {12, 2},     {480, 0},    {570, 0},    {636, 1},  {832, 0},  {833, 1},  {894, 1},
           {895, 0},    {896, 0},    {897, 0},    {1232, 1}, {1233, 1}, {1234, 1}, {1235, 0},
           {1248, 255}, {1249, 255}, {1250, 255}, {1251, 1}, {1253, 1}, {2032, 0}}) {
    EXPECT_EQ(bytes[flag.offset], flag.value) << "offset " << flag.offset;
  }
  // The font chooser's description is zero in a fresh record, as are the reserved areas.
  for (size_t i = 772; i < 832; ++i) EXPECT_EQ(bytes[i], 0) << i;
  for (size_t i = 1264; i < 2032; ++i) EXPECT_EQ(bytes[i], 0) << i;
}

TEST(PreferencesRecord, EveryFieldAndTheCarriedBytesSurviveARoundTrip) {
  Preferences p = DefaultPreferences();
  p.text = "Two\r\nlines \xE9";
  p.linkUrl = "https://example.org/a";
  p.linkTarget = "_blank";
  p.letterSpace = -3;
  p.lineSpace = 7;
  p.originX = -20;
  p.originY = 140;
  p.backgroundColor = 0x00336699;
  p.textColor = 0x00102030;
  p.fontSize = 72;
  p.frameDelay = 4;
  p.movieWidth = 640;
  p.movieHeight = 480;
  p.frameRate = 12.5F;
  p.fontFace = "DejaVu Serif";
  p.fontStyle = kStyleBold | kStyleItalic;
  p.chooserFont.SetFaceName("DejaVu Serif");
  p.chooserFont.lfHeight = -96;
  p.chooserFont.lfWeight = 700;
  p.chooserFont.lfItalic = 1;
  p.flags = {true, false, false, true, true, true, true, true};
  p.selectedEffect = 11;
  p.html = {1, 2, 3, false, false, 5, 6};
  p.saveSettingsOnExit = false;
  p.rememberPositions = false;
  p.confirmExit = false;
  p.showPluginErrors = true;
  p.mainWindow = {-100, 2000};
  p.previewWindow = {300, 400};
  p.carried[1300] = 0xAB;  // a reserved byte some later version wrote
  p.carried[8] = 0x11;

  // Every field is written, so a field lost on the way back changes the bytes.
  const PreferenceBytes bytes = EncodePreferences(p);
  const std::optional<Preferences> back = DecodePreferences(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(EncodePreferences(*back), bytes);
  EXPECT_EQ(back->text, p.text);
  EXPECT_EQ(bytes[1300], 0xAB);
}

TEST(PreferencesRecord, TextsAreCutWithATerminator) {
  Preferences p = DefaultPreferences();
  p.linkUrl = std::string(300, 'u');
  p.linkTarget = std::string(100, 't');
  p.fontFace = std::string(100, 'f');
  p.text = std::string(400, 'x');
  const PreferenceBytes bytes = EncodePreferences(p);
  EXPECT_EQ(TextAt(bytes, 20).size(), 127U);
  EXPECT_EQ(TextAt(bytes, 148).size(), 63U);
  EXPECT_EQ(TextAt(bytes, 504).size(), 63U);
  EXPECT_EQ(TextAt(bytes, 904).size(), 255U);
  EXPECT_EQ(bytes[212], 0);  // the reserved area after the target stays untouched
}

// A stored record whose fields hold what no program wrote.
TEST(PreferencesRecord, ReadsHostileValuesDefensively) {
  PreferenceBytes bytes = EncodePreferences(DefaultPreferences());
  std::fill_n(bytes.begin() + 20, 128, 'a');   // link without terminator
  std::fill_n(bytes.begin() + 504, 64, 'F');   // face without terminator
  std::fill_n(bytes.begin() + 904, 256, 'T');  // text without terminator
  PutU32(bytes, 484, 0);                       // font size 0
  PutU32(bytes, 488, 0x7FFFFFFF);              // frame delay
  PutU32(bytes, 492, static_cast<uint32_t>(-5));
  PutU32(bytes, 496, 1'000'000);
  PutU32(bytes, 340, 999'999);
  PutU32(bytes, 348, static_cast<uint32_t>(-2'000'000'000));
  PutU32(bytes, 640, static_cast<uint32_t>(-4));
  PutU32(bytes, 1256, 9);
  PutU32(bytes, 1260, 0);
  PutU32(bytes, 344, 0xFF00FF00);
  PutU32(bytes, 632, 0x80FFFFFF);
  bytes[568] = 0xFF;
  bytes[569] = 0xFF;
  bytes[894] = 7;
  const std::optional<Preferences> p = DecodePreferences(bytes);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->linkUrl, std::string(127, 'a'));
  EXPECT_EQ(p->fontFace, std::string(63, 'F'));
  EXPECT_EQ(p->text, std::string(255, 'T'));
  EXPECT_EQ(p->fontSize, 36);
  EXPECT_EQ(p->frameDelay, 1);
  EXPECT_EQ(p->movieWidth, 500);
  EXPECT_EQ(p->movieHeight, 150);
  EXPECT_EQ(p->letterSpace, 0);
  EXPECT_EQ(p->originX, 50);
  EXPECT_EQ(p->selectedEffect, 0);
  EXPECT_EQ(p->html.align, 2);
  EXPECT_EQ(p->html.quality, 2);
  EXPECT_EQ(p->backgroundColor, 0x0000FF00U);
  EXPECT_EQ(p->textColor, 0x00FFFFFFU);
  EXPECT_EQ(p->fontStyle, kStyleBold | kStyleItalic);
  EXPECT_TRUE(p->flags.autoPreview);
  EXPECT_EQ(EncodePreferences(*p)[894], 1);
  // Frame rates that are no usable number take the default; 99.5 is one.
  for (const float rate :
       {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -1.0F,
        0.0F, 1e30F, 100.0F, 99.5F}) {
    PutU32(bytes, 500, std::bit_cast<uint32_t>(rate));
    EXPECT_EQ(DecodePreferences(bytes)->frameRate, rate == 99.5F ? rate : 12.0F) << rate;
  }
}

TEST(PreferencesRecord, AFreshChooserFontIsMadeFromFaceSizeAndStyle) {
  Preferences p = DefaultPreferences();
  p.fontFace = "Liberation Serif";
  p.fontSize = 24;
  p.fontStyle = kStyleItalic;
  const glyphs::FontRequest font = EffectiveFont(p, 96);
  EXPECT_EQ(font.GetFaceName(), "Liberation Serif");
  EXPECT_EQ(font.lfHeight, -32);
  EXPECT_EQ(font.lfWeight, glyphs::kWeightNormal);
  EXPECT_EQ(font.lfItalic, 1);
  p.chooserFont.SetFaceName("Chosen");
  EXPECT_EQ(EffectiveFont(p, 96).GetFaceName(), "Chosen");
}

}  // namespace
}  // namespace zarn::app::test
