#pragma once

// Movies and measures the benchmarks share.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/movie_request.h"
#include "player/movie.h"

namespace bench {

// The bytes of a movie the engine makes with its usual test effect (a letter growing over
// three frames) from the first letters of a 254-letter text in six lines of small letters,
// all letters together and looping, or one after the other; with editText, each letter a clip
// with a field bound to a variable. Empty when the engine fails.
std::vector<uint8_t> EngineMovieBytes(bool allAtOnce, size_t letters = engine::kMaxTextLength,
                                      bool editText = false);
// The whole 254-letter movie, loaded; null when the engine fails.
std::shared_ptr<const player::CKV_Movie> EngineMovie(bool allAtOnce);

// The process's peak resident memory so far, as the counter peak_rss_MB.
void ReportPeakMemory(benchmark::State& state);

}  // namespace bench
