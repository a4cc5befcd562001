#include "cli/rewrite_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "sample_movie.h"
#include "swftk/reader.h"
#include "tests/support/temp_dir.h"

namespace zarn::cli::test {

using zarn::test::Bytes;
using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

namespace {

TEST(RewriteCommand, SecondRewriteIsByteIdenticalToTheFirst) {
  TempDir dir;
  WriteFileBytes(dir.File("in.swf"), SampleMovie());
  std::ostringstream err;
  ASSERT_EQ(RunRewriteCommand(dir.File("in.swf"), dir.File("once.swf"), err), 0) << err.str();
  ASSERT_EQ(RunRewriteCommand(dir.File("once.swf"), dir.File("twice.swf"), err), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  const Bytes once = ReadFileBytes(dir.File("once.swf"));
  EXPECT_FALSE(once.empty());
  EXPECT_EQ(once, ReadFileBytes(dir.File("twice.swf")));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.swf", "once.swf", "twice.swf"}));
}

TEST(RewriteCommand, KeepsTheHeader) {
  TempDir dir;
  WriteFileBytes(dir.File("in.swf"), SampleMovie());
  std::ostringstream err;
  ASSERT_EQ(RunRewriteCommand(dir.File("in.swf"), dir.File("out.swf"), err), 0) << err.str();
  swftk::CSwfReader reader;
  ASSERT_EQ(reader.OpenMovie(dir.File("out.swf")), swftk::OpenResult::kOk);
  const swftk::CSwfHeader& header = reader.GetHeader();
  EXPECT_EQ(header.version, 5);
  EXPECT_EQ(header.frameRect.xMax, 11000);
  EXPECT_EQ(header.frameRect.yMax, 8000);
  EXPECT_EQ(header.frameRate, 24.0F);
  EXPECT_EQ(header.frameCount, 2);
  EXPECT_EQ(header.fileLength, ReadFileBytes(dir.File("out.swf")).size());
}

TEST(RewriteCommand, ReplacesAnExistingOutput) {
  TempDir dir;
  WriteFileBytes(dir.File("in.swf"), SampleMovie());
  WriteFileBytes(dir.File("out.swf"), {'o', 'l', 'd'});
  std::ostringstream err;
  ASSERT_EQ(RunRewriteCommand(dir.File("in.swf"), dir.File("out.swf"), err), 0) << err.str();
  swftk::CSwfReader reader;
  EXPECT_EQ(reader.OpenMovie(dir.File("out.swf")), swftk::OpenResult::kOk);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.swf", "out.swf"}));
}

TEST(RewriteCommand, UnreadableInputLeavesTheOutputAlone) {
  TempDir dir;
  WriteFileBytes(dir.File("out.swf"), {'o', 'l', 'd'});
  std::ostringstream err;
  EXPECT_EQ(RunRewriteCommand(dir.File("missing.swf"), dir.File("out.swf"), err), 1);
  EXPECT_EQ(err.str(),
            "zarn-cli: cannot read " + dir.File("missing.swf") + ": the file cannot be opened\n");
  EXPECT_EQ(ReadFileBytes(dir.File("out.swf")), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"out.swf"}));
}

TEST(RewriteCommand, OutputInAMissingFolderFailsCleanly) {
  TempDir dir;
  WriteFileBytes(dir.File("in.swf"), SampleMovie());
  const std::string out = dir.File("no-such-folder/out.swf");
  std::ostringstream err;
  EXPECT_EQ(RunRewriteCommand(dir.File("in.swf"), out, err), 1);
  EXPECT_EQ(err.str(), "zarn-cli: cannot write " + out + ": No such file or directory\n");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.swf"}));
}

// The temporary file is written completely and only the rename fails: it must go too.
TEST(RewriteCommand, OutputThatIsAFolderFailsAndLeavesNothingBehind) {
  TempDir dir;
  WriteFileBytes(dir.File("in.swf"), SampleMovie());
  std::filesystem::create_directory(dir.File("out.swf"));
  std::ostringstream err;
  EXPECT_EQ(RunRewriteCommand(dir.File("in.swf"), dir.File("out.swf"), err), 1);
  EXPECT_EQ(err.str().rfind("zarn-cli: cannot write " + dir.File("out.swf") + ": ", 0), 0U)
      << err.str();
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.swf", "out.swf"}));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("out.swf")));
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("out.swf")));
}

}  // namespace
}  // namespace zarn::cli::test
