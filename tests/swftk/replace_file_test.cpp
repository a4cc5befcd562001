#include "swftk/replace_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "tests/support/temp_dir.h"

namespace swftk {
namespace {

using zarn::test::Bytes;
using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0);
  return status.st_mode & 07777;
}

TEST(ReplaceFile, KeepsTheModeOfTheFileItReplacesAndGivesNewOnesTheUmasks) {
  TempDir dir;
  const std::string kept = dir.File("private.swf");
  WriteFileBytes(kept, {'o', 'l', 'd'});
  chmod(kept.c_str(), 0600);
  std::string error;
  ASSERT_TRUE(ReplaceFile(kept, std::string_view("new"), error)) << error;
  EXPECT_EQ(ReadFileBytes(kept), (Bytes{'n', 'e', 'w'}));
  EXPECT_EQ(ModeOf(kept), 0600U);

  const mode_t mask = umask(027);
  ASSERT_TRUE(ReplaceFile(dir.File("fresh.swf"), std::string_view("x"), error, FileSync::kNoFlush));
  umask(mask);
  EXPECT_EQ(ModeOf(dir.File("fresh.swf")), 0640U);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"fresh.swf", "private.swf"}));
}

TEST(ReplaceFile, WritesThroughALinkAndRefusesWhatIsNoRegularFile) {
  TempDir dir;
  WriteFileBytes(dir.File("target.swf"), {'o', 'l', 'd'});
  std::filesystem::create_symlink("target.swf", dir.File("link.swf"));
  std::string error;
  ASSERT_TRUE(ReplaceFile(dir.File("link.swf"), std::string_view("new"), error)) << error;
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.swf")));
  EXPECT_EQ(ReadFileBytes(dir.File("target.swf")), (Bytes{'n', 'e', 'w'}));

  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0644), 0);
  std::filesystem::create_directory(dir.File("folder"));
  for (const char* name : {"pipe", "folder"}) {
    EXPECT_FALSE(ReplaceFile(dir.File(name), std::string_view("x"), error)) << name;
    EXPECT_EQ(error, "it is not a regular file");
  }
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe")));
  EXPECT_FALSE(ReplaceFile(dir.File("none/x.swf"), std::string_view("x"), error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder", "link.swf", "pipe", "target.swf"}));
}

// A file-size limit makes the write fail part way, as a full disk would.
TEST(ReplaceFile, AFailedWriteSaysWhyAndLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  const std::string path = dir.File("movie.swf");
  WriteFileBytes(path, {'o', 'l', 'd'});
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 1000;
  setrlimit(RLIMIT_FSIZE, &small);
  std::string error;
  const bool replaced = ReplaceFile(path, std::string(5000, 'x'), error);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(error, "File too large");
  EXPECT_EQ(ReadFileBytes(path), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"movie.swf"});
}

TEST(ReplaceFile, AReplacementDroppedBeforeCommitLeavesNoTrace) {
  TempDir dir;
  WriteFileBytes(dir.File("page.html"), {'o', 'l', 'd'});
  {
    FileReplacement page;
    std::string error;
    ASSERT_TRUE(page.Open(dir.File("page.html"), error));
    ASSERT_TRUE(page.Write("new", 3));
    EXPECT_EQ(dir.Entries().size(), 2U);
  }
  EXPECT_EQ(ReadFileBytes(dir.File("page.html")), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"page.html"});
}

TEST(NamesSameFile, SeesThroughSpellingsAndLinksOfFilesThatExistOrNot) {
  TempDir dir;
  WriteFileBytes(dir.File("a.swf"), {'a'});
  std::filesystem::create_symlink("a.swf", dir.File("link.swf"));
  const std::string folder = dir.Path().string();
  const struct {
    std::string first, second;
    bool same;
  } cases[] = {
      {folder + "/a.swf", folder + "/./a.swf", true},
      {folder + "/link.swf", folder + "/a.swf", true},
      {folder + "/new.html", folder + "/sub/../new.html", true},
      {folder + "/a.swf", folder + "/b.swf", false},
      {folder + "/new.html", folder + "/new.swf", false},
  };
  for (const auto& c : cases) EXPECT_EQ(NamesSameFile(c.first, c.second), c.same) << c.first;
}

}  // namespace
}  // namespace swftk
