// Exporting the 254-letter movie (letters one after the other) at 1920 x 1080: its first 100
// frames played, drawn and encoded, as MP4, as WebM and as GIF. Frames are streamed, so peak memory
// stays near one frame's worth beside the encoder's own.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "bench/letter_movie.h"
#include "media/movie_export.h"

namespace media {
namespace {

void BM_ExportLetters1080p(benchmark::State& state, const char* extension) {
  const auto movie = bench::EngineMovie(false);
  if (!movie) return state.SkipWithError("the engine could not build the movie");
  ExportOptions options;
  options.path = (std::filesystem::temp_directory_path() /
                  ("media-bench-" + std::to_string(::getpid()) + extension))
                     .string();
  options.width = 1920;
  options.height = 1080;
  options.to = 100;
  for (auto _ : state) {
    std::string error;
    if (!ExportMovie(movie, options, nullptr, error)) return state.SkipWithError(error.c_str());
  }
  state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(options.path)) / 1e3;
  std::filesystem::remove(options.path);
  // Seconds of movie made per second of work.
  state.counters["x_real_time"] = benchmark::Counter(options.to / movie->frameRate,
                                                     benchmark::Counter::kIsIterationInvariantRate);
  state.counters["fps"] =
      benchmark::Counter(options.to, benchmark::Counter::kIsIterationInvariantRate);
  bench::ReportPeakMemory(state);
}
BENCHMARK_CAPTURE(BM_ExportLetters1080p, mp4, ".mp4")
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ExportLetters1080p, webm, ".webm")
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ExportLetters1080p, gif, ".gif")
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
}  // namespace media
