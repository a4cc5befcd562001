// What a careless or hostile user may hand the commands: each refusal exits 1 with a message
// and leaves the file already at the destination as it was, byte for byte and mode for mode.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "cli/compile_effect_command.h"
#include "cli/dump_command.h"
#include "cli/make_command.h"
#include "cli/render_command.h"
#include "cli/rewrite_command.h"
#include "glyphs/system_font_service.h"
#include "tests/engine/template_fixture.h"
#include "tests/player/test_movie.h"
#include "tests/support/temp_dir.h"

namespace zarn::cli::test {
namespace {

using player::test::DoAction;
using player::test::TestMovie;
using zarn::test::Bytes;
using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

const std::filesystem::path kSource = ZARN_SOURCE_DIR;
const Bytes kOld = {'o', 'l', 'd'};

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  stat(path.c_str(), &status);
  return status.st_mode & 07777;
}

// A private file the user already has, which a failing command must leave alone.
std::string PrivateOldFile(const TempDir& dir, const std::string& name) {
  const std::string path = dir.File(name);
  WriteFileBytes(path, kOld);
  chmod(path.c_str(), 0600);
  return path;
}

void ExpectUntouched(const std::string& path) {
  EXPECT_EQ(ReadFileBytes(path), kOld) << path;
  EXPECT_EQ(ModeOf(path), 0600U) << path;
}

class HostileMake : public ::testing::Test {
 protected:
  MakeOptions Options() {
    engine::test::TemplateBuilder builder;
    builder.Variable("name", "Grow").Variable("version", "3");
    engine::test::AddStandardTemplate(builder, true);
    MakeOptions options;
    options.effect = dir.File("grow.swf");
    builder.Save(options.effect);
    options.output = PrivateOldFile(dir, "out.swf");
    return options;
  }

  TempDir dir;
  glyphs::CKV_SystemFontService fonts;
};

TEST_F(HostileMake, RefusalsLeaveTheMovieAndThePageAsTheyWere) {
  const std::string page = dir.File("page.html");
  const struct {
    std::function<void(MakeOptions&)> change;
    std::string err;
  } cases[] = {
      {[&](MakeOptions& o) { o.html = o.output; },
       "zarn-cli: " + dir.File("out.swf") + " and " + dir.File("out.swf") +
           " name the same file; give each output a file of its own\n"},
      {[&](MakeOptions& o) { o.html = dir.File("./out.swf"); },
       "zarn-cli: " + dir.File("./out.swf") + " and " + dir.File("out.swf") +
           " name the same file; give each output a file of its own\n"},
      {[&](MakeOptions& o) { o.output = o.effect; },
       "zarn-cli: " + dir.File("grow.swf") + " is also read by this command (" +
           dir.File("grow.swf") + "); write to another file\n"},
      {[](MakeOptions& o) { o.size = "36abc"; },
       "zarn-cli: --size takes a whole number, not \"36abc\"\n"},
      {[](MakeOptions& o) { o.width = "1e3"; },
       "zarn-cli: --width takes a whole number, not \"1e3\"\n"},
      {[](MakeOptions& o) { o.rate = "0x10"; },
       "zarn-cli: --rate takes a number such as 12 or 12.5, not \"0x10\"\n"},
      {[](MakeOptions& o) { o.rate = "nan"; },
       "zarn-cli: --rate takes a number such as 12 or 12.5, not \"nan\"\n"},
      {[](MakeOptions& o) { o.x = "-2147483648"; },
       "Kalvoren Zarn | Input Error: Please re-enter the X Position.\n"
       "It must be at least -3000 and less than 3000.\n"},
      {[](MakeOptions& o) { o.y = "2147483648"; },
       "Kalvoren Zarn | Input Error: Please re-enter the Y Position.\n"
       "It must be at least -3000 and less than 3000.\n"},
      // The page cannot be written: the movie stays as it was too.
      {[&](MakeOptions& o) { o.html = dir.File("gone/page.html"); },
       "Error: Encountered an error while writing to file: " + dir.File("gone/page.html") +
           "\nNo such file or directory\n"},
      // The movie fails after the page was ready: the page stays as it was.
      {[&](MakeOptions& o) { o.html = page, o.width = "0"; },
       "Kalvoren Zarn | Input Error: Please re-enter the Movie Width.\n"
       "It must be at least 1 and less than 3000.\n"},
  };
  for (const auto& c : cases) {
    MakeOptions options = Options();
    PrivateOldFile(dir, "page.html");
    c.change(options);
    std::ostringstream err;
    EXPECT_EQ(RunMakeCommand(options, fonts, err), 1);
    EXPECT_EQ(err.str(), c.err);
    ExpectUntouched(dir.File("out.swf"));
    ExpectUntouched(page);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"grow.swf", "out.swf", "page.html"}));
  }
}

TEST_F(HostileMake, AHostileMovieNameStaysTextInThePageAndTheOldModesStay) {
  MakeOptions options = Options();
  options.output = dir.File("x\"><script>alert(1)<!--.swf");
  options.html = PrivateOldFile(dir, "page.html");
  options.font = "No Such Family At All";
  std::ostringstream err;
  ASSERT_EQ(RunMakeCommand(options, fonts, err), 0) << err.str();
  EXPECT_TRUE(err.str().starts_with(
      "zarn-cli: note: the font \"No Such Family At All\" is not installed; \""))
      << err.str();
  const Bytes page = ReadFileBytes(*options.html);
  const std::string text(page.begin(), page.end());
  EXPECT_EQ(text.find("<script"), std::string::npos) << text;
  EXPECT_NE(text.find("&lt;script&gt;"), std::string::npos) << text;
  EXPECT_EQ(ModeOf(*options.html), 0600U);
}

TEST(HostileSources, CompileEffectSaysWhereAndKeepsTheOldTemplate) {
  TempDir dir;
  const std::string longPush = R"({"name": "x", "version": 4, "frames": 1,
      "layers": [{"type": "letter"}],
      "actions": [{"frame": 1, "code": ["push \")" +
                               std::string(65534, 'a') + R"(\""]}]})";
  WriteFileBytes(dir.File("long-push.json"), Bytes(longPush.begin(), longPush.end()));
  const struct {
    std::string source, err;
  } cases[] = {
      {(kSource / "tests/cli/hostile/number-1e400.json").string(),
       "number out of range at line 4, column 13: 1e400 is beyond what a double holds\n"},
      {(kSource / "tests/cli/hostile/number-400-digits.json").string(),
       "number out of range at line 5, column 52: " + std::string(400, '9') +
           " is beyond what a double holds\n"},
      {dir.File("long-push.json"),
       "actions[0].code[0]: a string holds at most 65533 bytes, not 65534\n"},
  };
  for (const auto& c : cases) {
    const std::string out = PrivateOldFile(dir, "out.kvx");
    std::ostringstream err;
    EXPECT_EQ(RunCompileEffectCommand(c.source, out, err), 1);
    EXPECT_EQ(err.str(), c.source + ": " + c.err);
    ExpectUntouched(out);
  }
  std::ostringstream err;
  EXPECT_EQ(RunCompileEffectCommand(dir.File("out.kvx"), dir.File("out.kvx"), err), 1);
  ExpectUntouched(dir.File("out.kvx"));
}

// Each movie of tests/swftk/hostile through dump, rewrite and render: refused with its reason,
// the old output kept.
TEST(HostileMovies, AreRefusedByEveryCommandThatReadsThem) {
  TempDir dir;
  const std::string tooMany =
      "the movie holds more tags and records than a movie of its size may build (one for every 4 "
      "bytes of data, at least 1,048,576 and at most 16,777,216)";
  const struct {
    const char* file;
    std::string reason;
    bool onlyPlayed;  // the bomb is in a tag that dump and rewrite keep as raw bytes
  } cases[] = {
      {"movie-showframe-bomb.swf", tooMany, false},
      {"movie-shape-record-bomb.swf", tooMany, false},
      {"movie-text-entry-bomb.swf", tooMany, true},
      {"movie-lzma.swf",
       "the movie is LZMA-compressed (\"ZWS\"), a compression this program does not read", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string in = (kSource / "tests/swftk/hostile" / c.file).string();
    const std::string expected = "zarn-cli: cannot read " + in + ": " + c.reason + "\n";
    const std::string out = PrivateOldFile(dir, "out.swf");
    std::ostringstream dumped, dumpErr, rewriteErr, renderOut, renderErr;
    if (!c.onlyPlayed) {
      EXPECT_EQ(RunDumpCommand(in, dumped, dumpErr), 1);
      EXPECT_EQ(dumpErr.str(), expected);
      EXPECT_EQ(RunRewriteCommand(in, out, rewriteErr), 1);
      EXPECT_EQ(rewriteErr.str(), expected);
    }
    RenderRequest request;
    request.input = in;
    request.gif = out;
    EXPECT_EQ(RunRenderCommand(request, renderOut, renderErr), 1);
    EXPECT_EQ(renderErr.str(), expected);
    ExpectUntouched(out);
  }
}

TEST(HostileRenders, RefuseToOverwriteTheInputAndSayWhatTheyCost) {
  TempDir dir;
  // Two frames, the second stopping the movie; without its stop the movie loops, and may be
  // played as long as asked.
  const std::string in = dir.File("in.swf");
  const std::string looping = dir.File("loop.swf");
  WriteFileBytes(
      in, TestMovie(20, 20).Frame().Add(DoAction({swftk::actioncode::kStop})).Frame().Build());
  WriteFileBytes(looping, TestMovie(20, 20).Frame().Build());
  const Bytes movie = ReadFileBytes(in);
  const struct {
    std::function<void(RenderRequest&)> change;
    int status;
    std::string err;
  } cases[] = {
      {[&](RenderRequest& r) { r.gif = in; }, 1,
       "zarn-cli: " + in + " is also read by this command (" + in + "); write to another file\n"},
      {[&](RenderRequest& r) { r.png = dir.File("./in.swf"); }, 1,
       "zarn-cli: " + dir.File("./in.swf") + " is also read by this command (" + in +
           "); write to another file\n"},
      {[&](RenderRequest& r) { r.gif = dir.File("a.gif"), r.sheet = dir.File("a.gif"); }, 1,
       "zarn-cli: " + dir.File("a.gif") + " and " + dir.File("a.gif") +
           " name the same file; give each output a file of its own\n"},
      // Past its end a stopped movie shows its last frame for ever: the range is cut there.
      {[&](RenderRequest& r) { r.gif = dir.File("long.gif"), r.to = 100000; }, 0,
       "zarn-cli: note: the movie has stopped by its last frame, 2; the range ends there instead "
       "of at 100000\n"},
      // 20 x 20 pixels at scale 400 are 8000 x 8000 pixels, 256 MB a frame.
      {[&](RenderRequest& r) {
         r.input = looping, r.gif = dir.File("big.gif"), r.scale = 400, r.to = 20;
       },
       1,
       "zarn-cli: 20 frames of 8000 x 8000 pixels make 5.1 GB of pixels, more than the 4 GiB a "
       "render may make; choose fewer frames or a smaller --scale\n"},
  };
  for (const auto& c : cases) {
    RenderRequest request;
    request.input = in;
    c.change(request);
    std::ostringstream out, err;
    EXPECT_EQ(RunRenderCommand(request, out, err), c.status) << err.str();
    EXPECT_EQ(err.str(), c.err);
    EXPECT_EQ(ReadFileBytes(in), movie);
  }
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.swf", "long.gif", "loop.swf"}));
  // A new GIF gets the mode of any new file.
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(ModeOf(dir.File("long.gif")), 0666U & ~mask);
}

}  // namespace
}  // namespace zarn::cli::test
