// The player on a movie the engine builds from a 254-letter text: drawing one 500 × 150
// frame (all letters at once and staggered), advancing one frame, loading the movie, and
// writing a 100-frame GIF; and drawing real movies of the shared corpus. Peak memory is
// reported with each.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/zarn_helper.h"
#include "glyphs/system_font_service.h"
#include "player/frame_sequence.h"
#include "player/gif_writer.h"
#include "player/image.h"
#include "player/movie_loader.h"
#include "player/player.h"
#include "player/renderer.h"
#include "swftk/file_bytes.h"
#include "tests/engine/template_fixture.h"

namespace player {
namespace {

// 254 characters in six lines of small letters, so most of them stand on the stage.
std::string LongText() {
  const std::string line = "The quick brown fox jumps over the lazy dog, 0123456789";
  std::string text;
  while (text.size() + line.size() + 2 <= engine::kMaxTextLength) text += line + "\r\n";
  text += line.substr(0, engine::kMaxTextLength - text.size());
  return text;
}

// The bytes of a movie the engine makes with its usual test effect (a letter growing over
// three frames) from the first letters of the long text, all letters together and looping, or
// one after the other; with editText, each letter a clip with a field bound to a variable.
std::vector<uint8_t> EngineMovieBytes(bool allAtOnce, size_t letters = engine::kMaxTextLength,
                                      bool editText = false) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("player-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  engine::test::TemplateBuilder builder;
  engine::test::AddStandardTemplate(builder, editText);
  builder.Save((dir / "effect.swf").string());
  glyphs::CKV_SystemFontService fonts;
  engine::MovieRequest request = engine::test::ValidRequest(
      (dir / "effect.swf").string(), (dir / "movie.swf").string(), fonts, "Arial");
  request.text = LongText().substr(0, letters);
  request.fontSizeTenths = 100;
  request.originX = 5;
  request.originY = 5;
  request.allAtOnce = allAtOnce;
  request.loop = allAtOnce;
  engine::CZarnHelper helper([](std::string_view, std::string_view, std::string_view) {});
  std::vector<uint8_t> bytes;
  if (helper.GenerateMovie(request)) swftk::ReadFileBytes((dir / "movie.swf").string(), bytes);
  std::filesystem::remove_all(dir);
  return bytes;
}

std::shared_ptr<const CKV_Movie> EngineMovie(bool allAtOnce) {
  return LoadMovieBytes(EngineMovieBytes(allAtOnce)).movie;
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

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

// The first frame of a corpus movie drawn at its stage size.
void BM_RenderCorpusMovie(benchmark::State& state, const char* path) {
  const MovieLoadResult loaded =
      LoadMovieFile((std::filesystem::path(ZARN_CORPUS_DIR) / path).string());
  if (!loaded.movie) return state.SkipWithError("the corpus movie is absent");
  CKV_Player player(loaded.movie);
  int width = 0;
  int height = 0;
  std::string error;
  if (!StageImageSize(*loaded.movie, 1.0, width, height, error))
    return state.SkipWithError(error.c_str());
  auto image = CKV_Image::Create(width, height);
  for (auto _ : state) {
    RenderFrame(player, *image);
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
