#include <gtest/gtest.h>

#include "library_fixture.h"

namespace effectc::test {
namespace {

// The engine finds the variables by a byte search whose misses swallow as many bytes as the
// name is long: names and values full of the letters the names start with must still be
// found whole.
TEST(EffectVariables, AreFoundWhateverTheyHold) {
  struct Case {
    std::string name;
    std::string embedGlyphs;
  };
  const Case cases[] = {
      {"Fade", ""},
      {"Dive", "eeeeeeeeeee"},
      {"name", "vvvvvvvv"},
      {"nnnn nname", "embedGlyphs"},
      {"version", "version"},
      {"embedGlyphs e", "nnnn"},
      {"v", "n"},
      {std::string(60, 'e'), std::string(254, 'v')},
  };
  TempDir folder;
  for (const Case& c : cases) {
    for (const char* file : {"effect.kvx", "effect.swf"}) {
      const std::string source = R"({"name": ")" + c.name + R"(", "version": 4, "frames": 1,
          "embedGlyphs": ")" + c.embedGlyphs +
                                 R"(", "layers": [{"type": "letter"}]})";
      const std::string path = folder.File(file);
      std::string error;
      ASSERT_TRUE(CompileInto(source, path, error)) << error;
      std::string name = "unset";
      std::string version = "unset";
      std::string embedGlyphs = "unset";
      engine::ReadEffectVariable("name", name, path);
      engine::ReadEffectVariable("version", version, path);
      engine::ReadEffectVariable("embedGlyphs", embedGlyphs, path);
      EXPECT_EQ(name, c.name) << file;
      EXPECT_EQ(version, "4") << file;
      EXPECT_EQ(embedGlyphs, c.embedGlyphs.empty() ? "unset" : c.embedGlyphs) << file;
    }
  }
}

}  // namespace
}  // namespace effectc::test
