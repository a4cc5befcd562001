#include "cli/make_command.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <sstream>

#include "engine/html_page.h"
#include "glyphs/system_font_service.h"
#include "swftk/edit_text.h"
#include "swftk/reader.h"
#include "tests/engine/template_fixture.h"
#include "tests/support/temp_dir.h"

namespace zarn::cli::test {

using zarn::test::Bytes;
using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

namespace {

using engine::test::AddStandardTemplate;
using engine::test::TemplateBuilder;

// A Flash 3 effect with a text field, so that it can also be made as a Flash 4 movie.
std::string SaveEffect(const TempDir& dir, const std::string& version) {
  TemplateBuilder builder;
  builder.Variable("name", "Grow").Variable("version", version);
  AddStandardTemplate(builder, true);
  const std::string path = dir.File("grow.swf");
  builder.Save(path);
  return path;
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

TEST_F(MakeCommand, WritesAFlashThreeMovieWithTheDefaults) {
  const MakeOptions options = Options();
  ASSERT_EQ(Run(options), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  swftk::CSwfReader movie;
  ASSERT_EQ(movie.OpenMovie(options.output), swftk::OpenResult::kOk);
  const swftk::CSwfHeader& header = movie.GetHeader();
  EXPECT_EQ(header.version, 3);
  EXPECT_EQ(header.frameRect.xMax, 500 * 20);
  EXPECT_EQ(header.frameRect.yMax, 150 * 20);
  EXPECT_EQ(header.frameRate, 12.0F);
  // "Kalvoren Zarn" has 10 distinct characters: font 1, texts 2 to 11.
  size_t texts = 0;
  for (const auto& tag : movie.GetTags()) texts += tag->GetTagCode() == swftk::tagcode::kDefineText;
  EXPECT_EQ(texts, 10U);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"grow.swf", "out.swf"}));
}

TEST_F(MakeCommand, FlashFourMakesTheEditTextMovie) {
  MakeOptions options = Options();
  options.flash = "4";
  options.text = "Hi";
  ASSERT_EQ(Run(options), 0) << err.str();
  swftk::CSwfReader movie;
  ASSERT_EQ(movie.OpenMovie(options.output), swftk::OpenResult::kOk);
  EXPECT_EQ(movie.GetHeader().version, 4);
  bool field = false;
  for (const auto& tag : movie.GetTags())
    field |= tag->GetTagCode() == swftk::tagcode::kDefineEditText;
  EXPECT_TRUE(field);
}

TEST_F(MakeCommand, AFlashFourEffectCannotBeMadeAsFlashThree) {
  MakeOptions options = Options("4");
  options.flash = "3";
  EXPECT_EQ(Run(options), 1);
  EXPECT_EQ(err.str(),
            "zarn-cli: --flash 3 cannot be used: " + options.effect + " is a Flash 4 effect\n");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"grow.swf"});
}

TEST_F(MakeCommand, AnInputErrorIsPrintedAndNothingIsWritten) {
  MakeOptions options = Options();
  options.width = "0";
  options.html = dir.File("page.html");
  EXPECT_EQ(Run(options), 1);
  EXPECT_EQ(err.str(),
            "Kalvoren Zarn | Input Error: Please re-enter the Movie Width.\n"
            "It must be at least 1 and less than 3000.\n");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"grow.swf"});
}

TEST_F(MakeCommand, TextOutsideWindows1252IsRefusedByName) {
  MakeOptions options = Options();
  options.text = "Zarn \xE2\x98\x85";
  EXPECT_EQ(Run(options), 1);
  EXPECT_EQ(err.str(),
            "Kalvoren Zarn | Input Error: Please re-enter the Text.\n"
            "The character \"\xE2\x98\x85\" (U+2605) cannot be written in Windows-1252.\n");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"grow.swf"});
}

TEST_F(MakeCommand, ATemplateWithoutEffectIsReportedWithItsCaption) {
  MakeOptions options = Options();
  TemplateBuilder empty;
  empty.AddShape();
  options.effect = dir.File("empty.swf");
  empty.Save(options.effect);
  EXPECT_EQ(Run(options), 1);
  EXPECT_EQ(err.str(), "Invalid plugin: Couldn't find Effect sprite.\n");
}

TEST_F(MakeCommand, WritesThePageAfterTheMovie) {
  MakeOptions options = Options();
  options.background = "#FF8000";
  options.html = dir.File("page.html");
  ASSERT_EQ(Run(options), 0) << err.str();
  engine::HtmlOptions expected;
  expected.width = 500;
  expected.height = 150;
  expected.resizable = false;
  expected.red = 0xFF;
  expected.green = 0x80;
  expected.blue = 0x00;
  const Bytes page = ReadFileBytes(dir.File("page.html"));
  EXPECT_EQ(std::string(page.begin(), page.end()), engine::FormatHtmlPage(expected, "out.swf"));
}

TEST_F(MakeCommand, UsageFaultsExitWithOne) {
  MakeOptions options = Options();
  options.text = "a";
  options.textFile = dir.File("text.txt");
  EXPECT_EQ(Run(options), 1);
  options.text.reset();
  options.textFile.reset();
  options.output.clear();
  EXPECT_EQ(Run(options), 1);
  EXPECT_EQ(err.str(),
            "zarn-cli: --text and --text-file cannot be used together\n"
            "zarn-cli: make needs --effect PATH and -o OUT.swf\n");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"grow.swf"});
}

TEST_F(MakeCommand, ColoursAreSixHexadecimalDigits) {
  MakeOptions options = Options();
  options.color = "12345";
  EXPECT_EQ(Run(options), 1);
  EXPECT_EQ(err.str(),
            "zarn-cli: --color takes a colour as six hexadecimal digits RRGGBB, not \"12345\"\n");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"grow.swf"});
}

TEST_F(MakeCommand, ReadsTheTextFromAFile) {
  MakeOptions options = Options();
  options.flash = "4";
  options.textFile = dir.File("text.txt");
  WriteFileBytes(*options.textFile, {0xEF, 0xBB, 0xBF, 'a', '\n', 0xC3, 0xA9, '\n'});
  ASSERT_EQ(Run(options), 0) << err.str();
  swftk::CSwfReader movie;
  ASSERT_EQ(movie.OpenMovie(options.output), swftk::OpenResult::kOk);
  // The movie's first action says how many characters it animates: a, LF and é.
  const auto* length = dynamic_cast<const swftk::CSwfDoAction*>(movie.GetTags()[1].get());
  ASSERT_NE(length, nullptr);
  ASSERT_EQ(length->actions.size(), 3U);
  EXPECT_EQ(static_cast<const swftk::CSwfActionPush&>(*length->actions[1]).text, "3");
}

TEST(MakeCommandLine, ParsesEveryOption) {
  TempDir dir;
  const std::string effect = SaveEffect(dir, "3");
  const std::string out = dir.File("out.swf");
  const std::string page = dir.File("page.html");
  const std::vector<std::string> words = {"zarn-cli",
                                          "make",
                                          "--effect",
                                          effect,
                                          "-o",
                                          out,
                                          "--text",
                                          "AB",
                                          "--font",
                                          "Liberation Serif",
                                          "--size",
                                          "24",
                                          "--bold",
                                          "--italic",
                                          "--color",
                                          "00FF00",
                                          "--background",
                                          "202020",
                                          "--width",
                                          "320",
                                          "--height",
                                          "200",
                                          "--rate",
                                          "24",
                                          "--delay",
                                          "3",
                                          "--letter-space",
                                          "2",
                                          "--line-space",
                                          "4",
                                          "--x",
                                          "10",
                                          "--y",
                                          "20",
                                          "--loop",
                                          "--all-at-once",
                                          "--protect",
                                          "--link",
                                          "http://example.org/",
                                          "--target",
                                          "_blank",
                                          "--flash",
                                          "3",
                                          "--html",
                                          page};
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  CLI::App app;
  int status = -1;
  AddMakeCommand(app, status);
  ASSERT_NO_THROW(app.parse(static_cast<int>(argv.size()), argv.data()));
  EXPECT_EQ(status, 0);
  swftk::CSwfReader movie;
  ASSERT_EQ(movie.OpenMovie(out), swftk::OpenResult::kOk);
  EXPECT_EQ(movie.GetHeader().frameRect.xMax, 320 * 20);
  EXPECT_EQ(movie.GetHeader().frameRate, 24.0F);
  EXPECT_EQ(movie.GetTags()[0]->GetTagCode(), swftk::tagcode::kProtect);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"grow.swf", "out.swf", "page.html"}));
}

}  // namespace
}  // namespace zarn::cli::test
