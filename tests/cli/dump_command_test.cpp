#include "cli/dump_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "sample_movie.h"
#include "tests/support/temp_dir.h"

namespace zarn::cli::test {

using zarn::test::Bytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class DumpOfSampleMovie : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    TempDir dir;
    movie_ = SampleMovie();
    const std::string path = dir.File("sample.swf");
    WriteFileBytes(path, movie_);
    std::ostringstream out;
    std::ostringstream err;
    status_ = RunDumpCommand(path, out, err);
    lines_ = Lines(out.str());
    errors_ = err.str();
  }

  static bool HasLine(const std::string& expected) {
    return std::find(lines_.begin(), lines_.end(), expected) != lines_.end();
  }

  // The line that follows the first line containing the given text, or "".
  static std::string LineAfter(const std::string& text, size_t offset = 1) {
    for (size_t i = 0; i + offset < lines_.size(); ++i) {
      if (lines_[i].find(text) != std::string::npos) return lines_[i + offset];
    }
    return "";
  }

  static std::string LineWith(const std::string& text) { return LineAfter(text, 0); }

  static inline Bytes movie_;
  static inline int status_ = -1;
  static inline std::vector<std::string> lines_;
  static inline std::string errors_;
};

TEST_F(DumpOfSampleMovie, SucceedsQuietly) {
  EXPECT_EQ(status_, 0);
  EXPECT_EQ(errors_, "");
}

TEST_F(DumpOfSampleMovie, PrintsTheHeader) {
  ASSERT_GE(lines_.size(), 7U);
  EXPECT_EQ(lines_[0], "SWF version 5");
  EXPECT_EQ(lines_[1], "  file length  " + std::to_string(movie_.size()) + " bytes");
  EXPECT_EQ(lines_[2], "  frame size   11000 x 8000 twips (x 0..11000 y 0..8000)");
  EXPECT_EQ(lines_[3], "  frame rate   24 fps");
  EXPECT_EQ(lines_[4], "  frame count  2");
  EXPECT_EQ(lines_[6], "  index  code  tag                         length  fields");
}

TEST_F(DumpOfSampleMovie, PrintsOneAlignedLinePerTag) {
  EXPECT_TRUE(HasLine("      0     9  SetBackgroundColor               3  color #102030"));
  EXPECT_TRUE(HasLine("      1    43  FrameLabel                       6  label \"intro\""));
  EXPECT_TRUE(HasLine("      8    12  DoAction                        33  5 actions"));
  EXPECT_TRUE(HasLine("      9    77  Metadata                         3"));
  EXPECT_TRUE(HasLine("     11    28  RemoveObject2                    2  depth 3"));
  EXPECT_TRUE(HasLine("     13     0  End                              0"));
}

TEST_F(DumpOfSampleMovie, IndentsTheTagsOfASpriteBelowIt) {
  EXPECT_NE(LineWith("  DefineSprite").find("id 1, 1 frame"), std::string::npos);
  EXPECT_EQ(LineAfter("  DefineSprite"),
            "    5.0    26    PlaceObject2                  12  depth 1, id 2, name \"letter\"");
  EXPECT_EQ(LineAfter("  DefineSprite", 2), "    5.1     1    ShowFrame                      0");
  EXPECT_EQ(LineAfter("  DefineSprite", 3), "    5.2     0    End                            0");
}

TEST_F(DumpOfSampleMovie, ShowsPlacementFields) {
  EXPECT_NE(LineWith("      7    26  PlaceObject2")
                .find("depth 3, id 1, name \"effect\", matrix (sx 1.5 sy 1.5 tx 200 ty 300), "
                      "cxform (mult 1 1 1 0.5)"),
            std::string::npos);
}

TEST_F(DumpOfSampleMovie, ListsActionsBelowTheirTag) {
  const std::string indent(17, ' ');
  EXPECT_EQ(LineAfter("DoAction", 1), indent + "Push \"name\"");
  EXPECT_EQ(LineAfter("DoAction", 2), indent + "Push \"Effect\"");
  EXPECT_EQ(LineAfter("DoAction", 3), indent + "SetVariable");
  EXPECT_EQ(LineAfter("DoAction", 4), indent + "GotoFrame 4");
  EXPECT_EQ(LineAfter("DoAction", 5), indent + "action 0x8B, 3 bytes: 61 62 00");
}

TEST_F(DumpOfSampleMovie, ShowsShapeBoundsAndCounts) {
  EXPECT_NE(
      LineWith("DefineShape3").find("id 3, bounds x 0..200 y 0..100, 1 fill style, 1 line style"),
      std::string::npos);
  EXPECT_NE(
      LineAfter("DefineShape3").find("5 records: 1 style change, 2 straight edges, 1 curved edge"),
      std::string::npos);
}

TEST_F(DumpOfSampleMovie, ShowsFontsAndTextFields) {
  EXPECT_NE(LineWith("DefineFont2")
                .find("id 4, name \"Liberation Sans\", 2 glyphs, flags 0x91 (HasLayout ANSI Bold)"),
            std::string::npos);
  EXPECT_NE(LineAfter("DefineFont2").find("ascent 900, descent 200, leading 0, 0 kerning pairs"),
            std::string::npos);
  EXPECT_NE(LineWith("DefineEditText")
                .find("id 5, variable \"text\", flags 0x8520 (HasText HasTextColor HasFont "
                      "HasLayout)"),
            std::string::npos);
  EXPECT_NE(LineAfter("DefineEditText", 1)
                .find("bounds x 0..2000 y 0..400, font 4 height 240, color #000000FF"),
            std::string::npos);
  EXPECT_NE(LineAfter("DefineEditText", 3).find("text \"A\""), std::string::npos);
}

TEST_F(DumpOfSampleMovie, ShowsButtonRecordsAndConditions) {
  EXPECT_NE(LineWith("DefineButton2").find("id 6, 1 record, 1 action list"), std::string::npos);
  EXPECT_NE(LineAfter("DefineButton2", 1)
                .find("record hit (0x08), id 3, depth 1, matrix (tx 0 ty 0), cxform (none)"),
            std::string::npos);
  EXPECT_NE(LineAfter("DefineButton2", 2).find("on 0x0008 (OverDownToOverUp)"), std::string::npos);
  EXPECT_NE(
      LineAfter("DefineButton2", 3).find("  GetURL \"http://example.com/\" target \"_blank\""),
      std::string::npos);
}

struct UnreadableCase {
  const char* name;
  Bytes contents;  // empty: the file does not exist
  const char* reason;
};

void PrintTo(const UnreadableCase& unreadable, std::ostream* out) {
  *out << unreadable.name;
}

class DumpOfUnreadableFile : public ::testing::TestWithParam<UnreadableCase> {};

TEST_P(DumpOfUnreadableFile, ExitsWithTheReason) {
  TempDir dir;
  const std::string path = dir.File("movie.swf");
  if (!GetParam().contents.empty()) WriteFileBytes(path, GetParam().contents);
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunDumpCommand(path, out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "zarn-cli: cannot read " + path + ": " + GetParam().reason + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Files, DumpOfUnreadableFile,
    ::testing::Values(UnreadableCase{"Missing", {}, "the file cannot be opened"},
                      UnreadableCase{"Garbage",
                                     {'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'v', 'i', 'e'},
                                     "the file is not a SWF movie"},
                      UnreadableCase{"DamagedCompression",
                                     {'C', 'W', 'S', 6, 100, 0, 0, 0, 0xDE, 0xAD, 0xBE, 0xEF},
                                     "the compressed movie data is damaged"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zarn::cli::test
