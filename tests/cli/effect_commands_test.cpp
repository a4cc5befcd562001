// make and compile-effect: the commands that work from an effect.
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <functional>
#include <sstream>

#include "cli/compile_effect_command.h"
#include "cli/make_command.h"
#include "engine/html_page.h"
#include "glyphs/system_font_service.h"
#include "swftk/actions.h"
#include "swftk/reader.h"
#include "tests/engine/template_fixture.h"
#include "tests/support/temp_dir.h"

namespace zarn::cli::test {
namespace {

using engine::test::TemplateBuilder;
using zarn::test::Bytes;
using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

// A Flash 3 effect with a text field, so that it can also be made as a Flash 4 movie.
std::string SaveEffect(const TempDir& dir, const std::string& version) {
  TemplateBuilder builder;
  builder.Variable("name", "Grow").Variable("version", version);
  engine::test::AddStandardTemplate(builder, true);
  const std::string path = dir.File("grow.swf");
  builder.Save(path);
  return path;
}

size_t CountTags(const swftk::CSwfReader& movie, uint16_t code) {
  size_t count = 0;
  for (const auto& tag : movie.GetTags()) count += tag->GetTagCode() == code;
  return count;
}

class MakeCommand : public ::testing::Test {
 protected:
  int Run(const MakeOptions& options) { return RunMakeCommand(options, fonts, err); }

  MakeOptions Options(const std::string& version = "3") {
    MakeOptions options;
    options.effect = SaveEffect(dir, version);
    options.output = dir.File("out.swf");
    return options;
  }

  TempDir dir;
  glyphs::CKV_SystemFontService fonts;
  std::ostringstream err;
};

TEST_F(MakeCommand, WritesAFlashThreeMovieAndItsPageWithTheDefaults) {
  MakeOptions options = Options();
  options.background = "#FF8000";
  options.html = dir.File("page.html");
  ASSERT_EQ(Run(options), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  swftk::CSwfReader movie;
  ASSERT_EQ(movie.OpenMovie(options.output), swftk::OpenResult::kOk);
  const swftk::CSwfHeader& header = movie.GetHeader();
  EXPECT_EQ(header.version, 3);
  EXPECT_EQ(header.frameRect.xMax, 500 * 20);
  EXPECT_EQ(header.frameRect.yMax, 150 * 20);
  EXPECT_EQ(header.frameRate, 12.0F);
  // "Kalvoren Zarn" has 10 distinct characters, a text each.
  EXPECT_EQ(CountTags(movie, swftk::tagcode::kDefineText), 10U);
  engine::HtmlOptions page;
  page.width = 500;
  page.height = 150;
  page.resizable = false;
  page.red = 0xFF;
  page.green = 0x80;
  page.blue = 0x00;
  const Bytes written = ReadFileBytes(dir.File("page.html"));
  EXPECT_EQ(std::string(written.begin(), written.end()), engine::FormatHtmlPage(page, "out.swf"));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"grow.swf", "out.swf", "page.html"}));
}

TEST_F(MakeCommand, FlashFourMakesTheEditTextMovieFromATextFile) {
  MakeOptions options = Options();
  options.flash = "4";
  options.textFile = dir.File("text.txt");
  WriteFileBytes(*options.textFile, {0xEF, 0xBB, 0xBF, 'a', '\n', 0xC3, 0xA9, '\n'});
  ASSERT_EQ(Run(options), 0) << err.str();
  swftk::CSwfReader movie;
  ASSERT_EQ(movie.OpenMovie(options.output), swftk::OpenResult::kOk);
  EXPECT_EQ(movie.GetHeader().version, 4);
  EXPECT_GE(CountTags(movie, swftk::tagcode::kDefineEditText), 1U);
  // The movie's first action says how many characters it animates: a, LF and é.
  const auto* length = dynamic_cast<const swftk::CSwfDoAction*>(movie.GetTags()[1].get());
  ASSERT_NE(length, nullptr);
  ASSERT_EQ(length->actions.size(), 3U);
  EXPECT_EQ(static_cast<const swftk::CSwfActionPush&>(*length->actions[1]).text, "3");
}

TEST_F(MakeCommand, RefusesWithAMessageAndWritesNothing) {
  const struct {
    std::string version;
    std::function<void(MakeOptions&)> change;
    std::string err;
  } cases[] = {
      {"4", [](MakeOptions& o) { o.flash = "3"; },
       "Kalvoren Zarn | Input Error: Please save the movie as Flash 4.\nThe effect " +
           dir.File("grow.swf") + " is a Flash 4 effect.\n"},
      {"3", [&](MakeOptions& o) { o.width = "0", o.html = dir.File("page.html"); },
       "Kalvoren Zarn | Input Error: Please re-enter the Movie Width.\n"
       "It must be at least 1 and less than 3000.\n"},
      {"3", [](MakeOptions& o) { o.text = "Zarn \xE2\x98\x85"; },
       "Kalvoren Zarn | Input Error: Please re-enter the Text.\n"
       "The character \"\xE2\x98\x85\" (U+2605) cannot be written in Windows-1252.\n"},
      {"3", [&](MakeOptions& o) { o.text = "a", o.textFile = dir.File("text.txt"); },
       "zarn-cli: --text and --text-file cannot be used together\n"},
      // Without effect or output the settings are checked first, in the desktop's order.
      {"3", [](MakeOptions& o) { o.output.clear(); }, "zarn-cli: make needs -o OUT.swf\n"},
      {"3", [](MakeOptions& o) { o.effect.clear(); },
       "Kalvoren Zarn | Input Error: Please select an effect.\n"},
      {"3",
       [](MakeOptions& o) {
         o.effect.clear();
         o.output.clear();
         o.letterSpace = "3000";
       },
       "Kalvoren Zarn | Input Error: Please re-enter the Letter Space.\n"
       "It must be at least -3000 and less than 3000.\n"},
      {"3", [&](MakeOptions& o) { o.exportPath = dir.File("out.avi"); },
       "zarn-cli: --export takes a file ending in .mp4, .webm, .mov, .webp, .apng and .gif\n"},
      {"3", [&](MakeOptions& o) { o.exportPath = dir.File("t.mp4"), o.html = dir.File("t.webm"); },
       "zarn-cli: " + dir.File("t.webm") + " and " + dir.File("t.webm") +
           " name the same file; give each output a file of its own\n"},
      {"3", [&](MakeOptions& o) { o.exportPath = dir.File("t.mov"), o.html = dir.File("p.html"); },
       "zarn-cli: a page plays .mp4, .webm, .webp, .apng or .gif exports, which browsers play\n"},
      {"3", [](MakeOptions& o) { o.color = "12345"; },
       "zarn-cli: --color takes a colour as six hexadecimal digits RRGGBB, not \"12345\"\n"},
      {"3",
       [&](MakeOptions& o) {
         TemplateBuilder empty;
         empty.AddShape();
         empty.Save(o.effect);
       },
       "Invalid plugin: Couldn't find Effect sprite.\n"},
  };
  for (const auto& c : cases) {
    MakeOptions options = Options(c.version);
    c.change(options);
    err.str("");
    EXPECT_EQ(Run(options), 1);
    EXPECT_EQ(err.str(), c.err);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"grow.swf"});
  }
}

TEST_F(MakeCommand, ExportsTheMovieItMade) {
  MakeOptions options = Options();
  options.exportPath = dir.File("out.webm");
  options.exportSettings.transparent = true;
  ASSERT_EQ(Run(options), 0) << err.str();
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"grow.swf", "out.swf", "out.webm"}));
  const Bytes webm = zarn::test::ReadFileBytes(dir.File("out.webm"));
  ASSERT_GE(webm.size(), 4u);
  EXPECT_EQ(Bytes(webm.begin(), webm.begin() + 4), (Bytes{0x1A, 0x45, 0xDF, 0xA3}));
}

TEST_F(MakeCommand, ExportsAVideoAndThePageThatPlaysIt) {
  MakeOptions options = Options();
  options.text = "A & B";
  options.exportPath = dir.File("t.mp4");
  options.html = dir.File("page.html");
  ASSERT_EQ(Run(options), 0) << err.str();
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"grow.swf", "out.swf", "page.html",
                                                     "t-poster.png", "t.mp4", "t.webm"}));
  const Bytes page = ReadFileBytes(dir.File("page.html"));
  EXPECT_NE(std::string(page.begin(), page.end()).find(">A &amp; B</p>"), std::string::npos);
}

TEST(MakeCommandLine, ParsesEveryOption) {
  TempDir dir;
  std::vector<std::string> words = {"zarn-cli", "make",
                                    "--effect", SaveEffect(dir, "3"),
                                    "-o",       dir.File("out.swf"),
                                    "--html",   dir.File("page.html"),
                                    "--font",   "Liberation Serif"};
  std::istringstream rest(
      "--text AB --size 24 --bold --italic --color 00FF00 --background 202020 --width 320 "
      "--height 200 --rate 24 --delay 3 --letter-space 2 --line-space 4 --x 10 --y 20 --loop "
      "--all-at-once --protect --link http://example.org/ --target _blank --flash 3 "
      "--export " +
      dir.File("out.apng") + " --fps 6 --loops 2 --quality 90");
  for (std::string word; rest >> word;) words.push_back(word);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  CLI::App app;
  int status = -1;
  AddMakeCommand(app, status);
  ASSERT_NO_THROW(app.parse(static_cast<int>(argv.size()), argv.data()));
  EXPECT_EQ(status, 0);
  swftk::CSwfReader movie;
  ASSERT_EQ(movie.OpenMovie(dir.File("out.swf")), swftk::OpenResult::kOk);
  EXPECT_EQ(movie.GetHeader().frameRect.xMax, 320 * 20);
  EXPECT_EQ(movie.GetHeader().frameRate, 24.0F);
  EXPECT_EQ(movie.GetTags()[0]->GetTagCode(), swftk::tagcode::kProtect);
  EXPECT_EQ(dir.Entries(),
            (std::vector<std::string>{"grow.swf", "out.apng", "out.swf", "page.html"}));
}

TEST(CompileEffectCommand, WritesAKvxWithoutTheSignatureAndASwfWithIt) {
  TempDir dir;
  const std::string source = R"({"name": "Fade", "version": 3, "frames": 2,
      "layers": [{"type": "letter", "keys": [{"frame": 1, "alpha": 0}, {"frame": 2}]}]})";
  WriteFileBytes(dir.File("fade.json"), Bytes(source.begin(), source.end()));
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
  const std::string bad = R"({"name": "x", "version": 3, "frames": 0, "layers": []})";
  WriteFileBytes(dir.File("bad.json"), Bytes(bad.begin(), bad.end()));
  std::filesystem::create_directory(dir.File("folder.json"));
  const std::string good = R"({"name": "x", "version": 3, "frames": 1,
      "layers": [{"type": "letter"}]})";
  WriteFileBytes(dir.File("good.json"), Bytes(good.begin(), good.end()));
  const struct {
    std::string source, output, err;
  } cases[] = {
      {"none.json", "out.kvx", "zarn-cli: cannot read " + dir.File("none.json") + "\n"},
      {"folder.json", "out.kvx", "zarn-cli: cannot read " + dir.File("folder.json") + "\n"},
      {"bad.json", "out.kvx", dir.File("bad.json") + ": frames: must lie between 1 and 1000\n"},
      {"good.json", "missing/out.kvx", "zarn-cli: cannot write " + dir.File("missing/out.kvx")},
  };
  for (const auto& c : cases) {
    std::ostringstream err;
    EXPECT_EQ(RunCompileEffectCommand(dir.File(c.source), dir.File(c.output), err), 1);
    EXPECT_TRUE(err.str().starts_with(c.err)) << err.str();
  }
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"bad.json", "folder.json", "good.json"}));
}

}  // namespace
}  // namespace zarn::cli::test
