// dump, rewrite and render: the commands that take a movie in.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/dump_command.h"
#include "cli/render_command.h"
#include "cli/rewrite_command.h"
#include "player/image.h"
#include "swftk/actions.h"
#include "swftk/button.h"
#include "swftk/control_tags.h"
#include "swftk/define_shape.h"
#include "swftk/edit_text.h"
#include "swftk/font.h"
#include "swftk/place_object.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/writer.h"
#include "tests/corpus_index.h"
#include "tests/player/test_movie.h"
#include "tests/support/temp_dir.h"

namespace zarn::cli::test {
namespace {

using namespace swftk;
using namespace player::test;
using zarn::test::Bytes;
using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

// Shape 3: a filled and outlined 200 x 100 outline of two lines and a curve.
std::unique_ptr<CSwfDefineShape> Shape() {
  ShapeBuilder shape(3);
  shape.SolidFill(kRed).LineStyle(20, kBlack).Select(-1, 1, 1).MoveTo(0, 100).LineTo(200, 100);
  auto define = shape.LineTo(200, 0).CurveTo(100, 0, 0, 100).Build();
  define->bounds = std::make_unique<CSwfRect>(0, 200, 0, 100);
  return define;
}

// Font 4: two empty glyphs with layout.
std::unique_ptr<CSwfDefineFont2> Font() {
  auto font = DefineFont2(4, {{'A', {}, 600}, {'B', {}, 600}}, 900, 200);
  font->name = "Liberation Sans";
  font->flags |= CSwfDefineFont2::kBold;
  return font;
}

// Button 6: shape 3 as its hit area, a link on release.
std::unique_ptr<CSwfDefineButton2> Button() {
  auto button = std::make_unique<CSwfDefineButton2>();
  button->characterId = 6;
  auto record = std::make_unique<ButtonRecord>();
  record->states = ButtonRecord::kHitTest;
  record->characterId = 3;
  record->depth = 1;
  record->matrix = std::make_unique<CSwfMatrix>();
  record->colorTransform = std::make_unique<CSwfColorTransformAlpha>();
  button->AddRecord(std::move(record));
  auto link = std::make_unique<CSwfDoAction>();
  link->AddAction(std::make_unique<CSwfActionGetUrl>("http://example.com/", "_blank"));
  button->AddAction(std::move(link));
  button->AddCondition(CSwfDefineButton2::kOverDownToOverUp);
  return button;
}

// A version 5 movie of 550 x 400 pixels at 24 fps with one tag of every family the dump
// describes, over two frames.
Bytes SampleMovie() {
  CSwfWriter writer;
  auto background = std::make_unique<CSwfSetBackgroundColor>();
  background->SetColor(0x10, 0x20, 0x30);
  writer.AddTag(std::move(background));
  writer.AddTag(std::make_unique<CSwfFrameLabel>("intro"));
  writer.AddTag(Shape());
  writer.AddTag(Font());
  // Text field 5 showing the variable "text" in font 4.
  auto edit = std::make_unique<CSwfDefineEditText>();
  edit->Init(5, std::make_unique<CSwfColorAlpha>(0, 0, 0, 255), "text");
  edit->bounds = std::make_unique<CSwfRect>(0, 2000, 0, 400);
  edit->SetFont(4, 240);
  edit->SetInitialText("A");
  writer.AddTag(std::move(edit));
  // Sprite 1: one frame placing character 2 as "letter".
  auto letter = Place(2, 1);
  letter->name = "letter";
  writer.AddTag(player::test::Sprite(
      1, player::test::TagList(std::move(letter), ShowFrame(), std::make_unique<CSwfEnd>())));
  writer.AddTag(Button());
  // Sprite 1 placed as "effect", scaled, moved and half transparent.
  auto place = Place(1, 3, {1.5, 0, 0, 1.5, 200, 300}, Tint({256, 256, 256, 128}));
  place->name = "effect";
  writer.AddTag(std::move(place));
  auto actions = std::make_unique<CSwfDoAction>();
  actions->AddAction(std::make_unique<CSwfActionPush>("name"));
  actions->AddAction(std::make_unique<CSwfActionPush>("Effect"));
  actions->AddAction(std::make_unique<CSwfActionSetVariable>());
  actions->AddAction(std::make_unique<CSwfActionGotoFrame>(4));
  // SetTarget "ab", which the toolkit keeps raw.
  actions->AddAction(std::make_unique<CSwfActionUnknown>(0x8B, std::vector<uint8_t>{'a', 'b', 0}));
  writer.AddTag(std::move(actions));
  for (auto& tag : player::test::TagList(RawTag(77, {'a', 'b', 'c'}), ShowFrame(), Remove(3),
                                         ShowFrame(), std::make_unique<CSwfEnd>()))
    writer.AddTag(std::move(tag));
  CSwfHeader header;
  header.Setup(550, 400, 24.0F, 0, 5);
  Bytes movie;
  writer.Build(movie, &header);
  return movie;
}

struct Outcome {
  int status = 0;
  std::string out;
  std::string err;
};

// A folder holding the sample movie as in.swf.
class MovieCommand : public ::testing::Test {
 protected:
  void SetUp() override { WriteFileBytes(dir.File("in.swf"), SampleMovie()); }

  static Outcome Dump(const std::string& path) {
    std::ostringstream out, err;
    const int status = RunDumpCommand(path, out, err);
    return {status, out.str(), err.str()};
  }
  static Outcome Rewrite(const std::string& in, const std::string& out) {
    std::ostringstream err;
    const int status = RunRewriteCommand(in, out, err);
    return {status, "", err.str()};
  }
  static Outcome Render(const RenderRequest& request) {
    std::ostringstream out, err;
    const int status = RunRenderCommand(request, out, err);
    return {status, out.str(), err.str()};
  }

  TempDir dir;
};

TEST_F(MovieCommand, DumpDescribesEveryTag) {
  const Outcome run = Dump(dir.File("in.swf"));
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  std::vector<std::string> lines;
  std::istringstream in(run.out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const std::vector<std::string> header = {
      "SWF version 5",
      "  file length  " + std::to_string(SampleMovie().size()) + " bytes",
      "  frame size   11000 x 8000 twips (x 0..11000 y 0..8000)",
      "  frame rate   24 fps",
      "  frame count  2",
      "",
      "  index  code  tag                         length  fields"};
  ASSERT_GE(lines.size(), header.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 7), header);
  // Each piece must stand in the line `below` lines after the first line holding `anchor`:
  // tags one aligned line each, sprite contents and actions indented below their tag.
  struct Piece {
    std::string anchor;
    size_t below;
    std::string text;
  };
  const std::string actionIndent(17, ' ');
  const Piece pieces[] = {
      {"SetBackgroundColor", 0, "      0     9  SetBackgroundColor               3  color #102030"},
      {"FrameLabel", 0, "      1    43  FrameLabel                       6  label \"intro\""},
      {"DefineShape3", 0, "id 3, bounds x 0..200 y 0..100, 1 fill style, 1 line style"},
      {"DefineShape3", 1, "6 records: 2 style changes, 2 straight edges, 1 curved edge"},
      {"DefineFont2", 0,
       "id 4, name \"Liberation Sans\", 2 glyphs, flags 0x91 (HasLayout ANSI Bold)"},
      {"DefineFont2", 1, "ascent 900, descent 200, leading 0, 0 kerning pairs"},
      {"DefineEditText", 0,
       "id 5, variable \"text\", flags 0x8520 (HasText HasTextColor HasFont HasLayout)"},
      {"DefineEditText", 1, "bounds x 0..2000 y 0..400, font 4 height 240, color #000000FF"},
      {"DefineEditText", 3, "text \"A\""},
      {"  DefineSprite", 0, "id 1, 1 frame"},
      {"  DefineSprite", 1,
       "    5.0    26    PlaceObject2                  18  depth 1, id 2, name \"letter\", matrix "
       "(tx 0 ty "
       "0)"},
      {"  DefineSprite", 2, "    5.1     1    ShowFrame                      0"},
      {"  DefineSprite", 3, "    5.2     0    End                            0"},
      {"DefineButton2", 0, "id 6, 1 record, 1 action list"},
      {"DefineButton2", 1, "record hit (0x08), id 3, depth 1, matrix (tx 0 ty 0), cxform (none)"},
      {"DefineButton2", 2, "on 0x0008 (OverDownToOverUp)"},
      {"DefineButton2", 3, "  GetURL \"http://example.com/\" target \"_blank\""},
      {"      7    26  PlaceObject2", 0,
       "depth 3, id 1, name \"effect\", matrix (sx 1.5 sy 1.5 tx 200 ty 300), cxform (mult 1 1 1 "
       "0.5)"},
      {"DoAction", 0, "      8    12  DoAction                        33  5 actions"},
      {"DoAction", 1, actionIndent + "Push \"name\""},
      {"DoAction", 2, actionIndent + "Push \"Effect\""},
      {"DoAction", 3, actionIndent + "SetVariable"},
      {"DoAction", 4, actionIndent + "GotoFrame 4"},
      {"DoAction", 5, actionIndent + "action 0x8B, 3 bytes: 61 62 00"},
      {"Metadata", 0, "      9    77  Metadata                         3"},
      {"RemoveObject2", 0, "     11    28  RemoveObject2                    2  depth 3"},
      {"     13     0  End", 0, "     13     0  End                              0"},
  };
  for (const Piece& piece : pieces) {
    const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(piece.anchor) != std::string::npos;
    });
    ASSERT_LT(at - lines.begin() + piece.below, lines.size()) << piece.anchor;
    EXPECT_NE(at[static_cast<ptrdiff_t>(piece.below)].find(piece.text), std::string::npos)
        << piece.text << "\n in: " << at[static_cast<ptrdiff_t>(piece.below)];
  }
}

// Real movies written by other tools: every movie the reader takes is listed, every other one
// is refused with a message, and nothing crashes on the way.
TEST(DumpOfCorpus, ListsEveryMovieTheReaderTakes) {
  const std::filesystem::path corpus = ZARN_CORPUS_DIR;
  const std::vector<std::string> movies = zarn::test::IndexedMovies(corpus);
  if (movies.empty()) GTEST_SKIP() << "no corpus at " << corpus;
  size_t listed = 0;
  for (const std::string& movie : movies) {
    SCOPED_TRACE(movie);
    const std::string path = (corpus / movie).string();
    CSwfReader reader;
    const bool readable = reader.OpenMovie(path, false) == OpenResult::kOk;
    std::ostringstream out, err;
    EXPECT_EQ(RunDumpCommand(path, out, err), readable ? 0 : 1);
    EXPECT_EQ(out.str().empty(), !readable);
    EXPECT_EQ(err.str().empty(), readable);
    listed += readable;
  }
  EXPECT_GT(listed, movies.size() * 9 / 10);
}

TEST_F(MovieCommand, RewriteReplacesTheOutputAndIsStableOnASecondPass) {
  WriteFileBytes(dir.File("once.swf"), {'o', 'l', 'd'});
  ASSERT_EQ(Rewrite(dir.File("in.swf"), dir.File("once.swf")).err, "");
  ASSERT_EQ(Rewrite(dir.File("once.swf"), dir.File("twice.swf")).err, "");
  const Bytes once = ReadFileBytes(dir.File("once.swf"));
  EXPECT_EQ(once, ReadFileBytes(dir.File("twice.swf")));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.swf", "once.swf", "twice.swf"}));
  // Every tag comes through with the fields the dump shows, the header and its file length
  // included.
  EXPECT_EQ(Dump(dir.File("once.swf")).out, Dump(dir.File("in.swf")).out);
}

TEST_F(MovieCommand, RewriteFaultsLeaveNothingBehind) {
  WriteFileBytes(dir.File("old.swf"), {'o', 'l', 'd'});
  // An output that is a folder is refused before anything is written.
  std::filesystem::create_directory(dir.File("folder.swf"));
  const std::string missing = dir.File("missing.swf");
  const std::string nested = dir.File("no-such-folder/out.swf");
  const std::string folder = dir.File("folder.swf");
  const struct {
    std::string in, out, err;
  } cases[] = {
      {missing, dir.File("old.swf"),
       "zarn-cli: cannot read " + missing + ": the file cannot be opened\n"},
      {dir.File("in.swf"), nested,
       "zarn-cli: cannot write " + nested + ": No such file or directory\n"},
      {dir.File("in.swf"), folder,
       "zarn-cli: cannot write " + folder + ": it is not a regular file\n"},
  };
  for (const auto& c : cases) {
    const Outcome run = Rewrite(c.in, c.out);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
  }
  EXPECT_EQ(ReadFileBytes(dir.File("old.swf")), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder.swf", "in.swf", "old.swf"}));
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(MovieCommand, RenderWritesOneFrameAsPngAtTheScaleAskedOrTimesTheDrawing) {
  RenderRequest request;
  request.input = dir.File("in.swf");
  request.png = dir.File("frame.png");
  request.frame = 2;
  request.scale = 0.5;
  const Outcome run = Render(request);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "frame 2 -> " + dir.File("frame.png") + "\n");
  const auto image = player::CKV_Image::ReadPng(dir.File("frame.png"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 275);
  EXPECT_EQ(image->Height(), 200);

  request.png.clear();
  request.time = true;
  request.from = 1;
  request.to = 2;
  const Outcome timed = Render(request);
  ASSERT_EQ(timed.status, 0) << timed.err;
  const std::regex line(
      "frames 1 to 2 drawn at 275 x 200: mean [0-9.]+ ms, median [0-9.]+ ms, worst [0-9.]+ ms "
      "\\(frame [12]\\)\n");
  EXPECT_TRUE(std::regex_match(timed.out, line)) << timed.out;
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"frame.png", "in.swf"}));
}

TEST_F(MovieCommand, RenderWritesEveryFrameOfTheRangeASheetAndAGif) {
  RenderRequest request;
  request.input = dir.File("in.swf");
  request.framesDir = dir.File("frames");
  request.sheet = dir.File("sheet.png");
  request.gif = dir.File("movie.gif");
  request.scale = 0.1;
  request.from = 2;
  request.to = 4;
  const Outcome run = Render(request);
  ASSERT_EQ(run.status, 0) << run.err;
  // The movie stops at its last frame, 2: the range ends there.
  EXPECT_TRUE(
      run.err.starts_with("zarn-cli: note: the movie has stopped by its last frame, 2; "
                          "the range ends there instead of at 4\n"))
      << run.err;
  EXPECT_EQ(run.out, "frames 2 to 2 -> " + dir.File("frames") +
                         "\ncontact sheet of frames 2 to 2 -> " + dir.File("sheet.png") +
                         "\nGIF of frames 2 to 2 -> " + dir.File("movie.gif") + "\n");
  std::vector<std::string> frames;
  for (const auto& entry : std::filesystem::directory_iterator(dir.File("frames")))
    frames.push_back(entry.path().filename().string());
  std::sort(frames.begin(), frames.end());
  EXPECT_EQ(frames, (std::vector<std::string>{"frame-0002.png"}));
  EXPECT_TRUE(player::CKV_Image::ReadPng(dir.File("sheet.png")));
  const Bytes gif = ReadFileBytes(dir.File("movie.gif"));
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + std::min<size_t>(gif.size(), 6)), "GIF89a");
}

TEST_F(MovieCommand, RenderWritesAVideoByTheOutputsExtension) {
  RenderRequest request;
  request.input = dir.File("in.swf");
  request.png = dir.File("movie.mp4");
  request.exportSettings.width = 101;
  const Outcome run = Render(request);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "export -> " + dir.File("movie.mp4") + "\n");
  const Bytes mp4 = ReadFileBytes(dir.File("movie.mp4"));
  ASSERT_GE(mp4.size(), 8u);
  EXPECT_EQ(std::string(mp4.begin() + 4, mp4.begin() + 8), "ftyp");
}

TEST_F(MovieCommand, RenderExplainsWhatItCannotDo) {
  WriteFileBytes(dir.File("text.swf"), {'h', 'e', 'l', 'l', 'o'});
  const std::string in = dir.File("in.swf");
  const std::string text = dir.File("text.swf");
  const std::string nested = dir.File("no/such/folder/out.png");
  const struct {
    std::function<void(RenderRequest&)> change;
    std::string err;
  } cases[] = {
      {[](RenderRequest& r) { r.png.clear(); },
       "render needs at least one of -o, --frames, --gif, --sheet and --time"},
      {[&](RenderRequest& r) { r.input = dir.File("missing.swf"); },
       "cannot read " + dir.File("missing.swf") + ": the file cannot be opened"},
      {[&](RenderRequest& r) { r.input = text; },
       "cannot read " + text + ": the file is not a SWF movie"},
      {[](RenderRequest& r) { r.scale = 20; },
       "cannot render " + in +
           ": the stage would be 11000 x 8000 pixels at this scale; images above 8192 x 8192 "
           "pixels are refused"},
      {[&](RenderRequest& r) { r.gif = dir.File("x.gif"), r.png.clear(), r.from = 3, r.to = 2; },
       "frames count from 1, and --to may not come before --from"},
      {[&](RenderRequest& r) { r.png = nested; },
       "cannot write the frame to " + nested + ": No such file or directory"},
      {[&](RenderRequest& r) {
         r.png = dir.File("clear.mp4"), r.exportSettings.transparent = true;
       },
       "cannot export to " + dir.File("clear.mp4") +
           ": MP4 (H.264) cannot hold a transparent background; use .webm, .mov, .webp or .apng"},
  };
  for (const auto& c : cases) {
    RenderRequest request;
    request.input = in;
    request.png = dir.File("out.png");
    c.change(request);
    const Outcome run = Render(request);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "zarn-cli: " + c.err + "\n");
  }
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.swf", "text.swf"}));
}

}  // namespace
}  // namespace zarn::cli::test
