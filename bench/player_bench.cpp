// The player on a movie the engine builds from a 254-letter text: drawing one 500 × 150
// frame, advancing one frame, and writing a 100-frame GIF. Peak memory is reported with each.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>

#include "engine/zarn_helper.h"
#include "glyphs/system_font_service.h"
#include "player/frame_sequence.h"
#include "player/gif_writer.h"
#include "player/image.h"
#include "player/movie_loader.h"
#include "player/player.h"
#include "player/renderer.h"
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

// A movie the engine makes with its usual test effect (a letter growing over three frames),
// all letters together and looping, or one after the other.
std::shared_ptr<const CKV_Movie> EngineMovie(bool allAtOnce) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("player-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  engine::test::TemplateBuilder builder;
  engine::test::AddStandardTemplate(builder);
  builder.Save((dir / "effect.swf").string());
  glyphs::CKV_SystemFontService fonts;
  engine::MovieRequest request = engine::test::ValidRequest(
      (dir / "effect.swf").string(), (dir / "movie.swf").string(), fonts, "Arial");
  request.text = LongText();
  request.fontSizeTenths = 100;
  request.originX = 5;
  request.originY = 5;
  request.allAtOnce = allAtOnce;
  request.loop = allAtOnce;
  engine::CZarnHelper helper([](std::string_view, std::string_view, std::string_view) {});
  const bool built = helper.GenerateMovie(request);
  const MovieLoadResult loaded = LoadMovieFile((dir / "movie.swf").string());
  std::filesystem::remove_all(dir);
  return built ? loaded.movie : nullptr;
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_RenderLetterFrame(benchmark::State& state) {
  const auto movie = EngineMovie(true);
  if (!movie) return state.SkipWithError("the engine could not build the movie");
  CKV_Player player(movie);
  // Frame 3: every letter at full size.
  player.Advance();
  player.Advance();
  auto image = CKV_Image::Create(500, 150);
  for (auto _ : state) {
    RenderFrame(player, *image);
    benchmark::DoNotOptimize(image->Data());
  }
  state.counters["letters_drawn"] = static_cast<double>(player.Root().Children()->size());
  ReportPeakMemory(state);
}
BENCHMARK(BM_RenderLetterFrame)->Unit(benchmark::kMillisecond);

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
