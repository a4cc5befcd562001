#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "decoded_movie.h"
#include "media/movie_export.h"
#include "test_movie.h"
#include "tests/support/temp_dir.h"

namespace media {
namespace {

using player::test::kBlue;
using player::test::kRed;
using test::DecodedMovie;
using test::Psnr;

constexpr int kFrames = 6;
constexpr player::Rgba kOrange{255, 160, 0, 255};

// A red square turned by 30 degrees, so its edges are antialiased, moving 2 pixels right a
// frame over a blue stage of 64 x 48 at 12 frames a second; stopping on its last frame when
// asked, as the engine's movies do.
std::shared_ptr<const player::CKV_Movie> MovingSquare(player::Rgba fill = kRed,
                                                      player::Rgba background = kBlue,
                                                      bool stops = false) {
  player::test::TestMovie movie(64, 48, background);
  movie.Add(player::test::FilledRect(1, fill, -240, -240, 240, 240));
  const double c = std::cos(M_PI / 6);
  const double s = std::sin(M_PI / 6);
  movie.Add(player::test::Place(1, 1, {c, s, -s, c, 400, 480})).Frame();
  for (int frame = 1; frame < kFrames; ++frame) {
    movie.Add(player::test::Move(1, {c, s, -s, c, 400.0 + 40 * frame, 480}));
    if (stops && frame == kFrames - 1) movie.Add(player::test::DoAction({0x07}));  // stop
    movie.Frame();
  }
  return movie.Load();
}

struct FormatCase {
  const char* name;
  const char* pixelFormat;  // stored layout without and with transparency
  const char* alphaPixelFormat;
  int quality;
  bool lossless;
};

const FormatCase kFormatCases[] = {
    {"movie.mp4", "yuv420p", nullptr, 75, false},
    {"movie.webm", "yuv420p", "yuva420p", 75, false},
    {"movie.mov", "yuv444p12le", "yuva444p12le", 75, false},
    {"movie.webp", "webp", "webp", 100, true},
    {"movie.webp", "webp", "webp", 90, false},
    {"movie.apng", "rgb24", "rgba", 75, true},
};

DecodedMovie ExportAndRead(const std::string& path, ExportOptions options,
                           const std::shared_ptr<const player::CKV_Movie>& movie = MovingSquare()) {
  options.path = path;
  std::string error;
  EXPECT_TRUE(ExportMovie(movie, options, nullptr, error)) << path << ": " << error;
  DecodedMovie decoded;
  EXPECT_TRUE(test::DecodeMovie(path, decoded, error)) << path << ": " << error;
  return decoded;
}

TEST(MovieExport, EveryFormatReadsBackAsThePlayerDrawsIt) {
  const auto movie = MovingSquare(kOrange, player::test::kBlack);
  for (const FormatCase& format : kFormatCases) {
    SCOPED_TRACE(std::string(format.name) + " at quality " + std::to_string(format.quality));
    zarn::test::TempDir dir;
    ExportOptions options;
    options.quality = format.quality;
    const DecodedMovie decoded = ExportAndRead(dir.File(format.name), options, movie);
    ASSERT_EQ(decoded.frames.size(), size_t{kFrames});
    EXPECT_EQ(decoded.width, 64);
    EXPECT_EQ(decoded.height, 48);
    EXPECT_NEAR(decoded.fps, 12, 0.02);  // WebM times frames in milliseconds
    EXPECT_EQ(decoded.pixelFormat, format.pixelFormat);
    for (size_t frame = 0; frame < kFrames; frame += 2) {
      const auto drawn = player::test::RenderFrameOf(movie, static_cast<uint32_t>(frame + 1));
      const double psnr = Psnr(decoded, frame, *drawn);
      if (format.lossless)
        EXPECT_EQ(psnr, INFINITY) << "frame " << frame;
      else
        EXPECT_GE(psnr, 35) << "frame " << frame;
    }
  }
}

TEST(MovieExport, TransparentBackgroundKeepsCleanEdges) {
  for (const FormatCase& format : kFormatCases) {
    if (!format.alphaPixelFormat) continue;
    SCOPED_TRACE(std::string(format.name) + " at quality " + std::to_string(format.quality));
    zarn::test::TempDir dir;
    ExportOptions options;
    options.quality = format.quality;
    options.transparent = true;
    const DecodedMovie decoded = ExportAndRead(dir.File(format.name), options);
    ASSERT_EQ(decoded.frames.size(), size_t{kFrames});
    EXPECT_EQ(decoded.pixelFormat, format.alphaPixelFormat);
    EXPECT_EQ(decoded.Pixel(0, 2, 2)[3], 0) << "outside the square";
    EXPECT_EQ(decoded.Pixel(0, 60, 45)[3], 0) << "outside the square";
    const uint8_t* inside = decoded.Pixel(0, 20, 24);
    EXPECT_EQ(inside[3], 255);
    EXPECT_GE(inside[0], 240);
    // Edge pixels are partly covered and still red: colour divided by coverage, not darkened.
    int edges = 0;
    for (int y = 0; y < decoded.height; ++y) {
      for (int x = 0; x < decoded.width; ++x) {
        const uint8_t* pixel = decoded.Pixel(0, x, y);
        if (pixel[3] < 64 || pixel[3] > 192) continue;
        ++edges;
        EXPECT_GE(pixel[0], 200) << "at " << x << ", " << y << " alpha " << int{pixel[3]};
        EXPECT_LE(pixel[2], 60) << "at " << x << ", " << y;
      }
    }
    EXPECT_GT(edges, 10);
  }
}

TEST(MovieExport, RateAndPassesHoldTheMoviesFrames) {
  zarn::test::TempDir dir;
  ExportOptions options;
  options.fps = 24;
  options.loops = 2;
  const DecodedMovie decoded = ExportAndRead(dir.File("held.apng"), options);
  ASSERT_EQ(decoded.frames.size(), size_t{2 * 2 * kFrames});
  EXPECT_NEAR(decoded.fps, 24, 0.01);
  // Each of the movie's frames shows twice; the second pass starts again from the first.
  EXPECT_EQ(decoded.frames[0], decoded.frames[1]);
  EXPECT_NE(decoded.frames[1], decoded.frames[2]);
  EXPECT_EQ(decoded.frames[0], decoded.frames[2 * kFrames]);
  EXPECT_EQ(decoded.frames[2 * kFrames - 1], decoded.frames[4 * kFrames - 1]);
}

TEST(MovieExport, AMovieThatStopsHoldsItsLastFrameASecondEachPass) {
  zarn::test::TempDir dir;
  ExportOptions options;
  options.loops = 2;
  const DecodedMovie decoded =
      ExportAndRead(dir.File("rest.apng"), options, MovingSquare(kRed, kBlue, true));
  // Six frames and twelve more of the last at 12 frames a second, twice.
  constexpr size_t kPass = kFrames + 12;
  ASSERT_EQ(decoded.frames.size(), 2 * kPass);
  EXPECT_NE(decoded.frames[kFrames - 2], decoded.frames[kFrames - 1]);
  EXPECT_EQ(decoded.frames[kFrames - 1], decoded.frames[kPass - 1]);
  EXPECT_EQ(decoded.frames[0], decoded.frames[kPass]);
  EXPECT_EQ(decoded.frames[kPass - 1], decoded.frames[2 * kPass - 1]);
}

TEST(MovieExport, SizeIsDrawnFromTheVectorsAndEvenForVideo) {
  zarn::test::TempDir dir;
  ExportOptions options;
  options.width = 129;  // 96.75 high by the stage's proportions
  options.from = 2;
  options.to = 4;
  const DecodedMovie decoded = ExportAndRead(dir.File("big.mp4"), options);
  EXPECT_EQ(decoded.width, 130);
  EXPECT_EQ(decoded.height, 98);
  ASSERT_EQ(decoded.frames.size(), size_t{3});
  // The square's corner is sharp at the new size: a pixel in its middle is pure red.
  const uint8_t* inside = decoded.Pixel(0, 2 * 22, 2 * 24);
  EXPECT_GE(inside[0], 230);
  EXPECT_LE(inside[2], 30);
}

TEST(MovieExport, BadRequestsSayWhyAndLeaveNoFile) {
  struct BadCase {
    const char* name;
    ExportOptions options;
    const char* reason;
  };
  ExportOptions transparent;
  transparent.transparent = true;
  ExportOptions huge;
  huge.width = 9000;
  ExportOptions gifRate;
  gifRate.fps = 30;
  const BadCase cases[] = {
      {"movie.avi", {}, "use .mp4, .webm"},
      {"no-such-folder/movie.mp4", {}, "No such file"},
      {"movie.mp4", transparent, "MP4 (H.264) cannot hold a transparent background"},
      {"movie.gif", transparent, "GIF cannot hold"},
      {"movie.webm", huge, "above 8192 x 8192"},
      {"movie.gif", gifRate, "the movie's own rate"},
  };
  for (const BadCase& bad : cases) {
    SCOPED_TRACE(bad.name);
    zarn::test::TempDir dir;
    ExportOptions options = bad.options;
    options.path = dir.File(bad.name);
    std::string error;
    EXPECT_FALSE(ExportMovie(MovingSquare(), options, nullptr, error));
    EXPECT_NE(error.find(bad.reason), std::string::npos) << error;
    EXPECT_TRUE(dir.Entries().empty());
  }
}

TEST(MovieExport, StoppedExportLeavesNoFile) {
  // A GIF renders the range twice; it is stopped in the second pass, its file already begun.
  const struct {
    const char* name;
    uint32_t total;
    uint32_t stopAt;
  } cases[] = {{"stopped.mp4", kFrames, 3},
               {"stopped.webp", kFrames, 3},
               {"stopped.mov", kFrames, 3},
               {"stopped.gif", 2 * kFrames, kFrames + 2}};
  for (const auto& stopped : cases) {
    zarn::test::TempDir dir;
    ExportOptions options;
    options.path = dir.File(stopped.name);
    uint32_t seen = 0;
    const ExportProgress stop = [&](uint32_t done, uint32_t total) {
      EXPECT_EQ(total, stopped.total);
      EXPECT_EQ(done, seen + 1);
      seen = done;
      return done < stopped.stopAt;
    };
    std::string error;
    EXPECT_FALSE(ExportMovie(MovingSquare(), options, stop, error));
    EXPECT_EQ(seen, stopped.stopAt);
    EXPECT_EQ(error, "the export was stopped");
    EXPECT_TRUE(dir.Entries().empty()) << stopped.name;
  }
}

}  // namespace
}  // namespace media
