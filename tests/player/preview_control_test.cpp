// The preview control: levels over one stage, loading, background, the clock, drawing into
// buffers of any size and the mapping of output positions back to the stage; and the queue
// that hands a movie's requests to the program after the step that raised them.
#include "player/preview_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "player/control_events.h"
#include "player/frame_clock.h"
#include "player/image.h"
#include "player/player.h"
#include "player/stage_view.h"
#include "test_movie.h"
#include "tests/support/temp_dir.h"

namespace player::test {
namespace {

using zarn::test::TempDir;
using zarn::test::WriteFileBytes;

// A stage of the given size in pixels with one rectangle in a colour, in pixels.
std::string SaveRectMovie(const TempDir& dir, const std::string& name, int width, int height,
                          Rgba background, Rgba color, int x0, int y0, int x1, int y1,
                          int frames = 1) {
  TestMovie movie(width, height, background);
  movie.Add(FilledRect(1, color, x0 * 20, y0 * 20, x1 * 20, y1 * 20), Place(1, 1)).Frame();
  for (int frame = 1; frame < frames; ++frame) movie.Frame();
  const std::string path = dir.File(name);
  WriteFileBytes(path, movie.Build());
  return path;
}

TEST(FrameClock, GivesWholeFramesAtAClampedRateWithBoundedCatchUp) {
  struct Case {
    double rate;
    double expectedRate;
    std::vector<double> ticks;
    std::vector<int> frames;
  };
  const Case cases[] = {
      {10, 10, {0.05, 0.05, 0.1, 0.25}, {0, 1, 1, 2}},
      {12, 12, {1.0 / 12, 1.0 / 12, 1.0 / 12}, {1, 1, 1}},
      // A long stall gives a few frames, then the clock goes on from there.
      {10, 10, {5.0, 0.1}, {CKV_FrameClock::kMaxCatchUp, 1}},
      {0, CKV_FrameClock::kMinRate, {1.0, 1.0}, {0, 1}},
      {1000, CKV_FrameClock::kMaxRate, {1.0 / 120}, {1}},
      {NAN, CKV_FrameClock::kDefaultRate, {-1.0, INFINITY, NAN, 1.0 / 12}, {0, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    CKV_FrameClock clock;
    clock.SetRate(c.rate);
    EXPECT_EQ(clock.Rate(), c.expectedRate);
    std::vector<int> frames;
    for (const double tick : c.ticks) frames.push_back(clock.Tick(tick));
    EXPECT_EQ(frames, c.frames) << "rate " << c.rate;
  }
}

TEST(StageView, FitsTheStageWithItsAspectAndMapsOutputPositionsBack) {
  const TwipsRect stage{0, 0, 500 * 20, 150 * 20};
  struct Case {
    double width, height;
    // Output position of the stage's corners.
    double left, top, right, bottom;
  };
  const Case cases[] = {
      {500, 150, 0, 0, 500, 150},
      {1000, 300, 0, 0, 1000, 300},
      {500, 500, 0, 175, 500, 325},  // bands above and below
      {300, 45, 75, 0, 225, 45},     // bands left and right
  };
  for (const Case& c : cases) {
    const CKV_StageView view(stage, c.width, c.height);
    const Transform2D& m = view.StageToOutput();
    EXPECT_NEAR(m.tx, c.left, 1e-9);
    EXPECT_NEAR(m.ty, c.top, 1e-9);
    EXPECT_NEAR(m.a * stage.xMax + m.tx, c.right, 1e-9);
    EXPECT_NEAR(m.d * stage.yMax + m.ty, c.bottom, 1e-9);
    double x = 0, y = 0;
    ASSERT_TRUE(view.ToStage(c.right, c.bottom, x, y));
    EXPECT_NEAR(x, stage.xMax, 1e-6);
    EXPECT_NEAR(y, stage.yMax, 1e-6);
  }
  const Transform2D device = CKV_StageView(stage, 500, 500).StageToDevice(2);
  EXPECT_NEAR(device.ty, 350, 1e-9);
  EXPECT_NEAR(device.a, 0.1, 1e-12);
  double x = 0, y = 0;
  EXPECT_FALSE(CKV_StageView(TwipsRect{}, 100, 100).ToStage(1, 1, x, y));
  EXPECT_FALSE(CKV_StageView(stage, 0, 100).ToStage(1, 1, x, y));
}

TEST(ControlEvents, SplitsCommandsFromAddressesAndDeliversWhatHandlersRaise) {
  CKV_ControlEvents events;
  std::vector<std::string> seen;
  events.SetFsCommandHandler([&](const std::string& command, const std::string& args) {
    seen.push_back("command " + command + " " + args);
    // Raised from inside a handler: waits for the outer delivery, which goes on with it.
    if (command == "move") events.QueueGetUrl("fscommand:again", "");
    events.Deliver();
  });
  events.SetOpenAddressHandler([&](const std::string& address, const std::string& window) {
    seen.push_back("open " + address + " " + window);
  });
  events.QueueGetUrl("FSCommand:move", "12 40");
  events.QueueGetUrl("http://example.org/", "_blank");
  EXPECT_TRUE(seen.empty());
  events.Deliver();
  EXPECT_EQ(seen, (std::vector<std::string>{"command move 12 40", "open http://example.org/ _blank",
                                            "command again "}));
  EXPECT_FALSE(events.Pending());

  // A handler that raises an event every time cannot hold the caller.
  events.SetOpenAddressHandler(
      [&](const std::string&, const std::string&) { events.QueueGetUrl("x", ""); });
  events.QueueGetUrl("x", "");
  events.Deliver();
  EXPECT_TRUE(events.Pending());
}

TEST(PreviewControl, LoadFailuresLeaveTheLevelEmptyWithAWarning) {
  TempDir dir;
  const std::string good = SaveRectMovie(dir, "good.swf", 100, 50, kWhite, kRed, 0, 0, 10, 10);
  Bytes whole = zarn::test::ReadFileBytes(good);
  WriteFileBytes(dir.File("short.swf"), Bytes(whole.begin(), whole.end() - 5));
  WriteFileBytes(dir.File("text.swf"),
                 Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
  for (const std::string name : {"missing.swf", "short.swf", "text.swf"}) {
    CKV_PreviewControl control;
    std::vector<std::string> told;
    control.SetMessageHandler([&](CKV_PreviewControl::MessageKind kind, const std::string& text) {
      if (kind == CKV_PreviewControl::MessageKind::kWarning) told.push_back(text);
    });
    ASSERT_TRUE(control.LoadMovie(3, good));
    EXPECT_FALSE(control.LoadMovie(3, dir.File(name))) << name;
    EXPECT_EQ(control.Level(3), nullptr) << name;
    ASSERT_EQ(told.size(), 1U) << name;
    EXPECT_EQ(told[0].rfind(dir.File(name) + ": ", 0), 0U) << told[0];
    EXPECT_EQ(control.Warnings().Items(), told);
  }
  CKV_PreviewControl control;
  EXPECT_FALSE(control.LoadMovie(-1, good));
  EXPECT_FALSE(control.LoadMovie(CKV_LevelSet::kMaxLevel + 1, good));
}

TEST(PreviewControl, LevelsStackOnTheBaseMoviesStageAndLevelZeroUnloadsThemAll) {
  TempDir dir;
  const std::string base = SaveRectMovie(dir, "base.swf", 100, 50, kWhite, kRed, 0, 0, 50, 50);
  const std::string top = SaveRectMovie(dir, "top.swf", 400, 400, kBlack, kBlue, 25, 0, 75, 25);
  CKV_PreviewControl control;
  ASSERT_TRUE(control.LoadMovie(0, base));
  ASSERT_TRUE(control.LoadMovie(10, top));
  auto image = CKV_Image::Create(100, 50);
  control.Draw(*image);
  // The stage and colour are the base movie's; level 10 lies over level 0.
  EXPECT_EQ(PixelAt(*image, 10, 40), kRed);
  EXPECT_EQ(PixelAt(*image, 40, 10), kBlue);
  EXPECT_EQ(PixelAt(*image, 60, 10), kBlue);
  EXPECT_EQ(PixelAt(*image, 60, 40), kWhite);

  ASSERT_TRUE(control.LoadMovie(0, base));
  EXPECT_EQ(control.Level(10), nullptr);
  control.Draw(*image);
  EXPECT_EQ(PixelAt(*image, 40, 10), kRed);
  EXPECT_EQ(PixelAt(*image, 60, 10), kWhite);
}

TEST(PreviewControl, DrawsToFitAtADevicePixelRatioInTheColourSetAcrossLoads) {
  TempDir dir;
  const std::string first = SaveRectMovie(dir, "a.swf", 100, 50, kWhite, kRed, 0, 0, 100, 25);
  const std::string second = SaveRectMovie(dir, "b.swf", 100, 50, kBlack, kRed, 0, 0, 100, 25);
  CKV_PreviewControl control;
  control.SetBackgroundColor(0x00FF00);
  ASSERT_TRUE(control.LoadMovie(0, first));
  ASSERT_TRUE(control.LoadMovie(0, second));
  EXPECT_EQ(control.Background(), kGreen);
  // A square output of 100 × 100 logical pixels at ratio 2: the stage is 200 × 100 device
  // pixels, centred, with bands of background above and below.
  auto image = CKV_Image::Create(200, 200);
  control.Draw(*image, 2.0);
  EXPECT_EQ(PixelAt(*image, 100, 40), kGreen);
  EXPECT_EQ(PixelAt(*image, 100, 60), kRed);
  EXPECT_EQ(PixelAt(*image, 100, 140), kGreen);
  EXPECT_EQ(PixelAt(*image, 100, 160), kGreen);
  control.SetBackgroundColor(-1);
  EXPECT_EQ(control.Background(), kBlack);
}

TEST(PreviewControl, AdvancesEveryLevelByTheBaseMoviesClock) {
  TempDir dir;
  TestMovie fast(100, 50);
  fast.Add(FilledRect(1, kRed, 0, 0, 20, 20), Place(1, 1)).Frame().Frame().Frame().Frame();
  WriteFileBytes(dir.File("fast.swf"), fast.Build());
  const std::string slow = SaveRectMovie(dir, "slow.swf", 100, 50, kWhite, kRed, 0, 0, 1, 1, 9);
  CKV_PreviewControl control;
  ASSERT_TRUE(control.LoadMovie(0, dir.File("fast.swf")));
  ASSERT_TRUE(control.LoadMovie(5, slow));
  EXPECT_EQ(control.FrameRate(), 12);
  EXPECT_EQ(control.Advance(0.25), 3);
  EXPECT_EQ(control.Level(0)->CurrentFrame(), 4U);
  EXPECT_EQ(control.Level(5)->CurrentFrame(), 4U);
  control.Stop();
  control.Advance(0.25);
  EXPECT_EQ(control.Level(0)->CurrentFrame(), 4U);
  control.Play();
  control.Advance(1.0 / 12);
  EXPECT_EQ(control.Level(0)->CurrentFrame(), 1U);
  EXPECT_EQ(control.Level(5)->CurrentFrame(), 5U);
}

}  // namespace
}  // namespace player::test
