#include "media/web_page.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "player/image.h"
#include "test_movie.h"
#include "tests/support/temp_dir.h"

namespace media {
namespace {

// A red square sliding over a blue stage of 63 x 47 pixels, three frames.
std::shared_ptr<const player::CKV_Movie> SlidingSquare() {
  player::test::TestMovie movie(63, 47, player::test::kBlue);
  movie.Add(player::test::FilledRect(1, player::test::kRed, 0, 0, 200, 200));
  movie.Add(player::test::Place(1, 1, {1, 0, 0, 1, 100, 100})).Frame();
  for (int frame = 1; frame < 3; ++frame)
    movie.Add(player::test::Move(1, {1, 0, 0, 1, 100.0 + 200 * frame, 100})).Frame();
  return movie.Load();
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(WebPage, WritesEveryFileThePagePlays) {
  const auto movie = SlidingSquare();
  const struct {
    const char* exported;
    uint32_t movies;
    std::vector<std::string> entries;
    std::vector<std::string> parts;
  } cases[] = {
      {"t.mp4",
       2,
       {"page.html", "t-poster.png", "t.mp4", "t.webm"},
       {"<video width=\"64\" height=\"48\" poster=\"t-poster.png\"", "src=\"t.webm\"",
        "src=\"t.mp4\"", ">Sea &amp; Sky</p>"}},
      {"t.webm", 2, {"page.html", "t-poster.png", "t.mp4", "t.webm"}, {"src=\"t.mp4\""}},
      {"t.webp",
       1,
       {"page.html", "t.webp"},
       {"<img src=\"t.webp\" width=\"63\" height=\"47\" alt=\"Sea &amp; Sky\">"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.exported);
    zarn::test::TempDir dir;
    ExportOptions options;
    options.path = dir.File(c.exported);
    std::string error;
    uint32_t last = 0;
    uint32_t frames = 0;
    const ExportProgress progress = [&](uint32_t done, uint32_t total) {
      EXPECT_EQ(done, last + 1);
      last = done;
      frames = total;
      return true;
    };
    ASSERT_TRUE(
        ExportWithWebPage(movie, options, dir.File("page.html"), "Sea & Sky", progress, error))
        << error;
    EXPECT_EQ(dir.Entries(), c.entries);
    EXPECT_EQ(frames, 3 * c.movies);
    EXPECT_EQ(last, frames);
    const std::string page = ReadText(dir.File("page.html"));
    for (const std::string& part : c.parts) EXPECT_NE(page.find(part), std::string::npos) << part;
  }
}

TEST(WebPage, PosterIsTheLastFrameAtTheVideosSize) {
  zarn::test::TempDir dir;
  const auto movie = SlidingSquare();
  ExportOptions options;
  options.path = dir.File("t.webm");
  options.width = 126;
  std::string error;
  ASSERT_TRUE(ExportWithWebPage(movie, options, dir.File("page.html"), "", nullptr, error));
  const auto poster = player::CKV_Image::ReadPng(dir.File("t-poster.png"));
  ASSERT_TRUE(poster);
  EXPECT_EQ(poster->Width(), 126);
  EXPECT_EQ(poster->Height(), 94);
  // The square stands at its last place, (50, 10) to (70, 30) at twice the size, and has left
  // its first, (10, 10) to (30, 30).
  EXPECT_EQ(player::test::PixelAt(*poster, 60, 20), player::test::kRed);
  EXPECT_EQ(player::test::PixelAt(*poster, 20, 20), player::test::kBlue);
}

TEST(WebPage, EveryFileFollowsTheUmask) {
  zarn::test::TempDir dir;
  const mode_t mask = umask(027);
  for (const char* exported : {"t.mp4", "t.gif"}) {
    ExportOptions options;
    options.path = dir.File(exported);
    std::string error;
    EXPECT_TRUE(ExportWithWebPage(SlidingSquare(), options,
                                  dir.File(std::string(exported) + ".html"), "", nullptr, error))
        << error;
  }
  umask(mask);
  EXPECT_EQ(dir.Entries().size(), 6u);
  for (const std::string& name : dir.Entries()) {
    struct stat status {};
    ASSERT_EQ(stat(dir.File(name).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u) << name;
  }
}

TEST(WebPage, RefusesWhatNoPagePlaysAndWritesNothing) {
  ExportOptions transparent;
  transparent.transparent = true;
  const struct {
    const char* exported;
    ExportOptions options;
    const char* reason;
  } cases[] = {
      {"t.mov", {}, "a page plays .mp4, .webm, .webp, .apng or .gif exports"},
      {"t.webm", transparent, "use .webp for a transparent page"},
      {"t.gif", transparent, "GIF cannot hold a transparent background"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.exported);
    zarn::test::TempDir dir;
    ExportOptions options = c.options;
    options.path = dir.File(c.exported);
    std::string error;
    EXPECT_FALSE(
        ExportWithWebPage(SlidingSquare(), options, dir.File("page.html"), "", nullptr, error));
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_TRUE(dir.Entries().empty());
  }
}

}  // namespace
}  // namespace media
