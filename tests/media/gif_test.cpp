// GIF exports store only what changes from frame to frame; read back, they show what the
// player draws.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>

#include "decoded_movie.h"
#include "media/movie_export.h"
#include "test_movie.h"
#include "tests/support/temp_dir.h"

namespace media {
namespace {

using player::test::Place;
using player::test::Tint;

constexpr int kFrames = 8;

// Over a blue stage of 80 x 40: a white square that stands still and an orange square turned
// by 30 degrees, fading in frame by frame.
std::shared_ptr<const player::CKV_Movie> FadingSquare(int fadingFrames) {
  player::test::TestMovie movie(80, 40, player::test::kBlue);
  movie.Add(player::test::FilledRect(1, {255, 160, 0, 255}, -200, -200, 200, 200));
  movie.Add(player::test::FilledRect(2, {255, 255, 255, 255}, 0, 0, 200, 200));
  movie.Add(Place(2, 2, {1, 0, 0, 1, 1200, 200}));
  const double c = std::cos(M_PI / 6);
  const double s = std::sin(M_PI / 6);
  for (int frame = 0; frame < kFrames; ++frame) {
    const int alpha = 256 * std::min(frame + 1, fadingFrames) / fadingFrames;
    if (frame > 0) movie.Add(player::test::Remove(1));
    movie.Add(Place(1, 1, {c, s, -s, c, 400, 400}, Tint({256, 256, 256, alpha}))).Frame();
  }
  return movie.Load();
}

TEST(GifExport, StoresChangesThatReadBackAsThePlayerDrawsThem) {
  const struct {
    int fadingFrames;
    size_t storedFrames;  // frames without a change lengthen the one before
  } cases[] = {{kFrames, kFrames}, {1, 1}, {4, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.fadingFrames) + " fading frames");
    zarn::test::TempDir dir;
    const auto movie = FadingSquare(c.fadingFrames);
    ExportOptions options;
    options.path = dir.File("movie.gif");
    std::string error;
    ASSERT_TRUE(ExportMovie(movie, options, nullptr, error)) << error;
    test::DecodedMovie decoded;
    ASSERT_TRUE(test::DecodeMovie(options.path, decoded, error)) << error;
    ASSERT_EQ(decoded.frames.size(), c.storedFrames);
    for (size_t frame = 0; frame < c.storedFrames; ++frame) {
      const auto drawn = player::test::RenderFrameOf(movie, static_cast<uint32_t>(frame + 1));
      EXPECT_GE(test::Psnr(decoded, frame, *drawn), 65) << "frame " << frame + 1;
    }
    // Frames that change nothing cost nothing: the still movie is as large as its first frame
    // alone.
    if (c.storedFrames == 1) {
      options.to = 1;
      options.path = dir.File("first.gif");
      ASSERT_TRUE(ExportMovie(movie, options, nullptr, error)) << error;
      EXPECT_EQ(std::filesystem::file_size(options.path),
                std::filesystem::file_size(dir.File("movie.gif")));
    }
  }
}

TEST(GifExport, IsDrawnAtTheSizeAsked) {
  zarn::test::TempDir dir;
  ExportOptions options;
  options.path = dir.File("wide.gif");
  options.width = 200;
  options.height = 30;
  std::string error;
  ASSERT_TRUE(ExportMovie(FadingSquare(kFrames), options, nullptr, error)) << error;
  test::DecodedMovie decoded;
  ASSERT_TRUE(test::DecodeMovie(options.path, decoded, error)) << error;
  EXPECT_EQ(decoded.width, 200);
  EXPECT_EQ(decoded.height, 30);
  EXPECT_EQ(decoded.frames.size(), size_t{kFrames});
}

}  // namespace
}  // namespace media
