#include "engine/effect_variable.h"

#include <gtest/gtest.h>

#include <string>

#include "engine_test_support.h"

namespace engine::test {
namespace {

// The bytes a template's DoAction holds for one variable: push name, push value.
std::string PushedVariable(const std::string& name, const std::string& value) {
  const auto push = [](const std::string& text) {
    const auto length = static_cast<char>(text.size() + 2);
    return std::string("\x96", 1) + length + std::string("\0\0", 2) + text + std::string(1, '\0');
  };
  return push(name) + push(value) + "\x1D";
}

struct ScanCase {
  const char* label;
  std::string bytes;
  std::string key;
  bool found;
  std::string value;
};

class EffectVariableScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(EffectVariableScan, FindsTheValueAfterTheFirstNameWithItsZero) {
  const ScanCase& scan = GetParam();
  TempDir dir;
  const std::string path = dir.File("effect.swf");
  WriteFileBytes(path, Bytes(scan.bytes.begin(), scan.bytes.end()));
  std::string value = "untouched";
  EXPECT_TRUE(ReadEffectVariable(scan.key, value, path));
  EXPECT_EQ(value, scan.found ? scan.value : "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EffectVariableScan,
    ::testing::Values(
        ScanCase{"plain", "FWS\x04" + PushedVariable("name", "Spin"), "name", true, "Spin"},
        ScanCase{"second of two", PushedVariable("name", "Spin") + PushedVariable("version", "4"),
                 "version", true, "4"},
        // "name" inside "names" has no zero after it; the pushed name later does.
        ScanCase{"inside a longer word", "the names" + PushedVariable("name", "Wave"), "name", true,
                 "Wave"},
        // The second n is consumed while comparing, so the scan never starts at it.
        ScanCase{"no step back", std::string("nname\0\x96\x07\0\0late\0", 15), "name", false, ""},
        ScanCase{"one byte before", std::string("xname\0\x96\x07\0\0late\0", 15), "name", true,
                 "late"},
        ScanCase{"absent", PushedVariable("name", "Spin"), "embedGlyphs", false, ""},
        // The copy stops at the end of the file when no zero ends the value.
        ScanCase{"value cut by the end", std::string("name\0\x96\x07\0\0Spi", 12), "name", true,
                 "Spi"},
        ScanCase{"empty value", PushedVariable("embedGlyphs", ""), "embedGlyphs", true, ""},
        ScanCase{"empty file", "", "name", false, ""}),
    [](const ::testing::TestParamInfo<ScanCase>& info) {
      std::string name;
      for (const char c : std::string(info.param.label)) name += std::isalnum(c) ? c : '_';
      return name;
    });

TEST(EffectVariable, FailsOnlyWhenTheFileCannotBeOpened) {
  TempDir dir;
  std::string value = "untouched";
  EXPECT_FALSE(ReadEffectVariable("name", value, dir.File("missing.swf")));
  EXPECT_FALSE(ReadEffectVariable("name", value, dir.File(".")));  // a folder
  EXPECT_EQ(value, "untouched");
}

TEST(EffectVariable, ReadsTheVariablesOfABuiltTemplate) {
  TempDir dir;
  TemplateBuilder builder;
  builder.Variable("name", "Zoom In").Variable("version", "4").Variable("embedGlyphs", "0123");
  AddStandardTemplate(builder);
  const std::string path = dir.File("zoom.swf");
  builder.Save(path);
  std::string name, version, glyphs;
  ASSERT_TRUE(ReadEffectVariable("name", name, path));
  ASSERT_TRUE(ReadEffectVariable("version", version, path));
  ASSERT_TRUE(ReadEffectVariable("embedGlyphs", glyphs, path));
  EXPECT_EQ(name, "Zoom In");
  EXPECT_EQ(version, "4");
  EXPECT_EQ(glyphs, "0123");
}

}  // namespace
}  // namespace engine::test
