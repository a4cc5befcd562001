// The player on a movie the engine builds from a 254-letter text: drawing one 500 × 150
// frame (all letters at once and staggered), advancing one frame, loading the movie, and
// writing a 100-frame GIF; and drawing real movies of the shared corpus. Peak memory is
// reported with each.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/letter_movie.h"
#include "player/frame_sequence.h"
#include "player/gif_writer.h"
#include "player/image.h"
#include "player/movie_loader.h"
#include "player/player.h"
#include "player/renderer.h"

namespace player {
namespace {

using bench::EngineMovie;
using bench::EngineMovieBytes;
using bench::ReportPeakMemory;

// One 500 x 150 frame of the letter movie: all letters at once at frame 3, every letter at
// full size; or staggered at frame 128, where half of them stand.
void BM_RenderLetterFrame(benchmark::State& state, bool allAtOnce, int frame) {
  const auto movie = EngineMovie(allAtOnce);
  if (!movie) return state.SkipWithError("the engine could not build the movie");
  CKV_Player player(movie);
  for (int shown = 1; shown < frame; ++shown) player.Advance();
  auto image = CKV_Image::Create(500, 150);
  for (auto _ : state) {
    RenderFrame(player, *image);
    benchmark::DoNotOptimize(image->Data());
  }
  state.counters["letters_drawn"] = static_cast<double>(player.Root().Children()->size());
  ReportPeakMemory(state);
}
BENCHMARK_CAPTURE(BM_RenderLetterFrame, all_at_once, true, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderLetterFrame, staggered, false, 128)->Unit(benchmark::kMillisecond);

// Loading the movie and building its first frame, for a text of state.range(0) letters, as
// shapes or (state.range(1)) as edit-text clips: the time should grow with the letter count,
// no faster.
void BM_LoadLetters(benchmark::State& state) {
  const std::vector<uint8_t> bytes =
      EngineMovieBytes(true, static_cast<size_t>(state.range(0)), state.range(1) != 0);
  if (bytes.empty()) return state.SkipWithError("the engine could not build the movie");
  for (auto _ : state) {
    const MovieLoadResult loaded = LoadMovieBytes(bytes);
    CKV_Player player(loaded.movie);
    benchmark::DoNotOptimize(player.Root().Children());
  }
  state.counters["per_letter_us"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  ReportPeakMemory(state);
}
BENCHMARK(BM_LoadLetters)
    ->ArgsProduct({{100, 254}, {0, 1}})
    ->ArgNames({"letters", "edit_text"})
    ->Unit(benchmark::kMillisecond);

// A corpus movie's player and an image of its stage size; null, having said why, when the
// movie is absent or has no stage.
std::unique_ptr<CKV_Player> CorpusPlayer(benchmark::State& state, const char* path,
                                         std::unique_ptr<CKV_Image>& image) {
  const MovieLoadResult loaded =
      LoadMovieFile((std::filesystem::path(ZARN_CORPUS_DIR) / path).string());
  if (!loaded.movie) {
    state.SkipWithError("the corpus movie is absent");
    return nullptr;
  }
  int width = 0;
  int height = 0;
  std::string error;
  if (!StageImageSize(*loaded.movie, 1.0, width, height, error)) {
    state.SkipWithError(error.c_str());
    return nullptr;
  }
  image = CKV_Image::Create(width, height);
  return std::make_unique<CKV_Player>(loaded.movie);
}

// The first frame of a corpus movie drawn at its stage size.
void BM_RenderCorpusMovie(benchmark::State& state, const char* path) {
  std::unique_ptr<CKV_Image> image;
  const auto player = CorpusPlayer(state, path, image);
  if (!player) return;
  for (auto _ : state) {
    RenderFrame(*player, *image);
    benchmark::DoNotOptimize(image->Data());
  }
}
// Outlines only: strokes of the letters of "Loading" and of two wire spheres.
BENCHMARK_CAPTURE(BM_RenderCorpusMovie, outlines, "swftools/swfs/tessel_loader.swf")
    ->Unit(benchmark::kMillisecond);
// A font specimen: every glyph of a font, large.
BENCHMARK_CAPTURE(BM_RenderCorpusMovie, font_specimen, "swftools/doc/Arial.swf")
    ->Unit(benchmark::kMillisecond);
// The largest version-4 movie of shapes and texts.
BENCHMARK_CAPTURE(BM_RenderCorpusMovie, version4, "gnash/samples/test.swf")
    ->Unit(benchmark::kMillisecond);

// A corpus movie played on, frame after frame, timing only the drawing of each frame: what
// stays still is drawn again, what moves is drawn anew.
void BM_PlayCorpusMovie(benchmark::State& state, const char* path) {
  std::unique_ptr<CKV_Image> image;
  const auto player = CorpusPlayer(state, path, image);
  if (!player) return;
  for (auto _ : state) {
    player->Advance();
    const auto start = std::chrono::steady_clock::now();
    RenderFrame(*player, *image);
    benchmark::DoNotOptimize(image->Data());
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  ReportPeakMemory(state);
}
BENCHMARK_CAPTURE(BM_PlayCorpusMovie, outlines, "swftools/swfs/tessel_loader.swf")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlayCorpusMovie, version4, "gnash/samples/test.swf")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_AdvanceLetterFrame(benchmark::State& state) {
  const auto movie = EngineMovie(true);
  if (!movie) return state.SkipWithError("the engine could not build the movie");
  CKV_Player player(movie);
  for (auto _ : state) player.Advance();
  ReportPeakMemory(state);
}
BENCHMARK(BM_AdvanceLetterFrame)->Unit(benchmark::kMicrosecond);

void BM_GifOfHundredFrames(benchmark::State& state) {
  const auto movie = EngineMovie(false);
  if (!movie) return state.SkipWithError("the engine could not build the movie");
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("player-bench-" + std::to_string(::getpid()) + ".gif"))
                               .string();
  std::string error;
  auto frames = CKV_FrameSequence::Create(movie, 1.0, 1, 100, error);
  if (!frames) return state.SkipWithError(error.c_str());
  for (auto _ : state) {
    if (!WriteAnimatedGif(*frames, path, error)) return state.SkipWithError(error.c_str());
  }
  std::filesystem::remove(path);
  ReportPeakMemory(state);
}
BENCHMARK(BM_GifOfHundredFrames)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace player
