#include "cli/compile_effect_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/temp_dir.h"

namespace zarn::cli::test {

using zarn::test::Bytes;
using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

namespace {

const std::string kSource = R"({
  "name": "Fade", "version": 3, "frames": 2,
  "layers": [ { "type": "letter", "keys": [ { "frame": 1, "alpha": 0 }, { "frame": 2 } ] } ]
})";

void WriteText(const std::string& path, const std::string& text) {
  WriteFileBytes(path, Bytes(text.begin(), text.end()));
}

TEST(CompileEffectCommand, WritesAKvxWithoutTheSignatureAndASwfWithIt) {
  TempDir dir;
  WriteText(dir.File("fade.json"), kSource);
  std::ostringstream err;
  ASSERT_EQ(RunCompileEffectCommand(dir.File("fade.json"), dir.File("fade.kvx"), err), 0);
  ASSERT_EQ(RunCompileEffectCommand(dir.File("fade.json"), dir.File("fade.swf"), err), 0);
  EXPECT_EQ(err.str(), "");
  const Bytes swf = ReadFileBytes(dir.File("fade.swf"));
  ASSERT_GT(swf.size(), 4U);
  EXPECT_EQ(Bytes(swf.begin(), swf.begin() + 4), (Bytes{'F', 'W', 'S', 4}));
  EXPECT_EQ(ReadFileBytes(dir.File("fade.kvx")), Bytes(swf.begin() + 4, swf.end()));
}

TEST(CompileEffectCommand, ReportsFaultsAndWritesNothing) {
  TempDir dir;
  WriteText(dir.File("bad.json"), R"({"name": "x", "version": 3, "frames": 0, "layers": []})");
  std::filesystem::create_directory(dir.File("folder.json"));
  struct Case {
    std::string source;
    std::string output;
    std::string message;
  };
  const Case cases[] = {
      {dir.File("none.json"), dir.File("out.kvx"),
       "zarn-cli: cannot read " + dir.File("none.json") + "\n"},
      {dir.File("folder.json"), dir.File("out.kvx"),
       "zarn-cli: cannot read " + dir.File("folder.json") + "\n"},
      {dir.File("bad.json"), dir.File("out.kvx"),
       dir.File("bad.json") + ": frames: must lie between 1 and 1000\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream err;
    EXPECT_EQ(RunCompileEffectCommand(c.source, c.output, err), 1);
    EXPECT_EQ(err.str(), c.message);
  }
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"bad.json", "folder.json"}));

  WriteText(dir.File("fade.json"), kSource);
  std::ostringstream err;
  EXPECT_EQ(RunCompileEffectCommand(dir.File("fade.json"), dir.File("missing/fade.kvx"), err), 1);
  EXPECT_TRUE(err.str().starts_with("zarn-cli: cannot write " + dir.File("missing/fade.kvx")))
      << err.str();
}

}  // namespace
}  // namespace zarn::cli::test
