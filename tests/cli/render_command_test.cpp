#include "cli/render_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "player/image.h"
#include "sample_movie.h"
#include "tests/support/temp_dir.h"

namespace zarn::cli::test {

using zarn::test::Bytes;
using zarn::test::ReadFileBytes;
using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

namespace {

struct RenderRun {
  int status = 0;
  std::string out;
  std::string err;
};

RenderRun Render(const RenderRequest& request) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunRenderCommand(request, out, err);
  return {status, out.str(), err.str()};
}

TEST(RenderCommand, WritesOneFrameAsPngAtTheScaleAsked) {
  TempDir dir;
  WriteFileBytes(dir.File("in.swf"), SampleMovie());
  RenderRequest request;
  request.input = dir.File("in.swf");
  request.png = dir.File("frame.png");
  request.frame = 2;
  request.scale = 0.5;
  const RenderRun run = Render(request);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "frame 2 -> " + dir.File("frame.png") + "\n");
  const auto image = player::CKV_Image::ReadPng(dir.File("frame.png"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 275);
  EXPECT_EQ(image->Height(), 200);
}

TEST(RenderCommand, WritesEveryFrameOfTheRangeASheetAndAGif) {
  TempDir dir;
  WriteFileBytes(dir.File("in.swf"), SampleMovie());
  RenderRequest request;
  request.input = dir.File("in.swf");
  request.framesDir = dir.File("frames");
  request.sheet = dir.File("sheet.png");
  request.gif = dir.File("movie.gif");
  request.scale = 0.1;
  request.from = 2;
  request.to = 4;
  const RenderRun run = Render(request);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "frames 2 to 4 -> " + dir.File("frames") +
                         "\ncontact sheet of frames 2 to 4 -> " + dir.File("sheet.png") +
                         "\nGIF of frames 2 to 4 -> " + dir.File("movie.gif") + "\n");
  std::vector<std::string> frames;
  for (const auto& entry : std::filesystem::directory_iterator(dir.File("frames")))
    frames.push_back(entry.path().filename().string());
  std::sort(frames.begin(), frames.end());
  EXPECT_EQ(frames,
            (std::vector<std::string>{"frame-0002.png", "frame-0003.png", "frame-0004.png"}));
  EXPECT_TRUE(player::CKV_Image::ReadPng(dir.File("sheet.png")));
  const Bytes gif = ReadFileBytes(dir.File("movie.gif"));
  ASSERT_GE(gif.size(), 6U);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
}

TEST(RenderCommand, ExplainsWhatItCannotDo) {
  TempDir dir;
  WriteFileBytes(dir.File("in.swf"), SampleMovie());
  WriteFileBytes(dir.File("text.swf"), {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
  struct Case {
    RenderRequest request;
    std::string err;
  };
  RenderRequest base;
  base.input = dir.File("in.swf");
  base.png = dir.File("out.png");
  std::vector<Case> cases;
  {
    RenderRequest r = base;
    r.png.clear();
    cases.push_back(
        {r, "zarn-cli: render needs at least one of -o, --frames, --gif and --sheet\n"});
  }
  {
    RenderRequest r = base;
    r.input = dir.File("missing.swf");
    cases.push_back({r, "zarn-cli: cannot read " + r.input + ": the file cannot be opened\n"});
  }
  {
    RenderRequest r = base;
    r.input = dir.File("text.swf");
    cases.push_back({r, "zarn-cli: cannot read " + r.input + ": the file is not a SWF movie\n"});
  }
  {
    RenderRequest r = base;
    r.scale = 20;
    cases.push_back({r, "zarn-cli: cannot render " + r.input +
                            ": the stage would be 11000 x 8000 pixels at this scale; images "
                            "above 8192 x 8192 pixels are refused\n"});
  }
  {
    RenderRequest r = base;
    r.gif = dir.File("x.gif");
    r.png.clear();
    r.from = 3;
    r.to = 2;
    cases.push_back({r, "zarn-cli: frames count from 1, and --to may not come before --from\n"});
  }
  {
    RenderRequest r = base;
    r.png = dir.File("no/such/folder/out.png");
    cases.push_back(
        {r, "zarn-cli: cannot write the frame to " + r.png + ": the file cannot be written\n"});
  }
  for (const Case& c : cases) {
    const RenderRun run = Render(c.request);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.swf", "text.swf"}));
}

}  // namespace
}  // namespace zarn::cli::test
