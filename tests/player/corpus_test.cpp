// Movies written by other tools: every one loads and plays its first frames, and frames of
// movies with a real player's screenshot look the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "player/movie_loader.h"
#include "player/renderer.h"
#include "test_movie.h"

namespace player::test {
namespace {

const std::filesystem::path kCorpus = ZARN_CORPUS_DIR;

struct CorpusFile {
  std::string path;
  int version = 0;
};

std::vector<CorpusFile> CorpusFiles() {
  std::vector<CorpusFile> files;
  std::ifstream index(kCorpus / "INDEX.tsv");
  std::string line;
  std::getline(index, line);  // column titles
  while (std::getline(index, line)) {
    std::istringstream columns(line);
    std::string path;
    std::string repository;
    std::string size;
    std::string signature;
    std::string version;
    std::getline(columns, path, '\t');
    std::getline(columns, repository, '\t');
    std::getline(columns, size, '\t');
    std::getline(columns, signature, '\t');
    std::getline(columns, version, '\t');
    files.push_back({path, std::atoi(version.c_str())});
  }
  return files;
}

TEST(Corpus, EveryMovieLoadsAndPlaysItsFirstFrames) {
  const std::vector<CorpusFile> files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << kCorpus;
  int loaded = 0;
  int drawn = 0;
  for (const CorpusFile& file : files) {
    const MovieLoadResult result = LoadMovieFile((kCorpus / file.path).string());
    if (file.version <= 4) {
      EXPECT_TRUE(result.movie) << file.path << ": " << result.error;
    }
    if (!result.movie) continue;
    ++loaded;
    // Small images keep the run short; the drawing is the same at any size.
    const TwipsRect& stage = result.movie->stage;
    const double largestSide = std::max(stage.xMax - stage.xMin, stage.yMax - stage.yMin) / 20;
    const double scale = largestSide > 160 ? 160 / largestSide : 1.0;
    int width = 0;
    int height = 0;
    std::string error;
    const bool drawable = StageImageSize(*result.movie, scale, width, height, error);
    CKV_Player player(result.movie);
    for (int frame = 0; frame < 3; ++frame) {
      if (drawable) {
        auto image = CKV_Image::Create(width, height);
        ASSERT_TRUE(image) << file.path;
        RenderFrame(player, *image);
        ++drawn;
      }
      player.Advance();
    }
  }
  RecordProperty("movies", static_cast<int>(files.size()));
  RecordProperty("loaded", loaded);
  RecordProperty("frames_drawn", drawn);
  EXPECT_GT(loaded, 0);
}

// Share of pixels whose channels differ by more than the tolerance.
double MismatchShare(const CKV_Image& ours, const CKV_Image& reference, int tolerance) {
  int mismatched = 0;
  for (int y = 0; y < reference.Height(); ++y)
    for (int x = 0; x < reference.Width(); ++x)
      if (ColorDistance(PixelAt(ours, x, y), PixelAt(reference, x, y)) > tolerance) ++mismatched;
  return static_cast<double>(mismatched) / (reference.Width() * reference.Height());
}

struct ReferenceCase {
  const char* movie;
  const char* screenshot;
  uint32_t frame;
};

TEST(Corpus, FramesMatchARealPlayersScreenshots) {
  // Screenshots of a real player: swfdec's after ten frames, ruffle's at the frame its test
  // names. They cover clip layers changed and removed, replacing placements, colour-mapped
  // bitmaps, the background colour and a looping timeline.
  const ReferenceCase cases[] = {
      {"swfdec/image/clip-change-forward-5.swf", "swfdec/image/clip-change-forward-5.swf.png", 10},
      {"swfdec/image/clip-change-backward-6.swf", "swfdec/image/clip-change-backward-6.swf.png",
       10},
      {"swfdec/image/clip-change-remove-5.swf", "swfdec/image/clip-change-remove-5.swf.png", 10},
      {"swfdec/image/clip-change-set-5.swf", "swfdec/image/clip-change-set-5.swf.png", 10},
      {"swfdec/image/mask-clip-mask-5.swf", "swfdec/image/mask-clip-mask-5.swf.png", 10},
      {"swfdec/image/mask-clip-maskee-5.swf", "swfdec/image/mask-clip-maskee-5.swf.png", 10},
      {"swfdec/image/mask-affected-by-clip-5.swf", "swfdec/image/mask-affected-by-clip-5.swf.png",
       10},
      {"swfdec/image/mask-terminates-clip-mask-5.swf",
       "swfdec/image/mask-terminates-clip-mask-5.swf.png", 10},
      {"swfdec/image/replace-shape-shape-5.swf", "swfdec/image/replace-shape-shape-5.swf.png", 10},
      {"swfdec/image/replace-movie-shape-5.swf", "swfdec/image/replace-movie-shape-5.swf.png", 10},
      {"swfdec/image/replace-shape-button-5.swf", "swfdec/image/replace-shape-button-5.swf.png",
       10},
      {"swfdec/image/replace-button-movie-6.swf", "swfdec/image/replace-button-movie-6.swf.png",
       10},
      {"swfdec/image/definebits-palette-5.swf", "swfdec/image/definebits-palette-5.swf.png", 10},
      {"swfdec/image/background-5.swf", "swfdec/image/background-5.swf.png", 10},
      {"ruffle/tests/from_gnash/misc-swfmill.all/background/test.swf",
       "ruffle/tests/from_gnash/misc-swfmill.all/background/output.expected.png", 30},
      {"ruffle/tests/from_gnash/misc-ming.all/loop/simple_loop_test/test.swf",
       "ruffle/tests/from_gnash/misc-ming.all/loop/simple_loop_test/frame4.expected.png", 5},
  };
  if (!std::filesystem::exists(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
  for (const ReferenceCase& c : cases) {
    const MovieLoadResult loaded = LoadMovieFile((kCorpus / c.movie).string());
    ASSERT_TRUE(loaded.movie) << c.movie;
    const auto reference = CKV_Image::ReadPng((kCorpus / c.screenshot).string());
    ASSERT_TRUE(reference) << c.screenshot;
    CKV_Player player(loaded.movie);
    for (uint32_t frame = 1; frame < c.frame; ++frame) player.Advance();
    auto image = CKV_Image::Create(reference->Width(), reference->Height());
    RenderFrame(player, *image);
    EXPECT_LE(MismatchShare(*image, *reference, 3), 0.001) << c.movie;
  }
}

}  // namespace
}  // namespace player::test
