#include <benchmark/benchmark.h>

#include <string>

#include "glyphs/system_font_service.h"
#include "glyphs/truetype_helper.h"

namespace {

std::string PrintableAscii() {
  std::string characters;
  for (char c = 32; c < 127; ++c) characters += c;
  return characters;
}

glyphs::FontRequest LiberationSans() {
  glyphs::FontRequest request;
  request.lfHeight = 1024;
  request.lfWeight = 400;
  request.SetFaceName("Liberation Sans");
  return request;
}

// Cold: the face cache is emptied first, so matching, opening and outlining are all paid.
template <bool kSecondGeneration>
void BuildFont(benchmark::State& state) {
  const std::string characters = PrintableAscii();
  glyphs::CKV_SystemFontService fonts;
  const bool cold = state.range(0) == 0;
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      glyphs::CKV_SystemFontService::ClearCache();
      state.ResumeTiming();
    }
    glyphs::CSwfTrueTypeHelper helper;
    if constexpr (kSecondGeneration) {
      benchmark::DoNotOptimize(helper.BuildDefineFont2(fonts, LiberationSans(), characters, 1));
    } else {
      benchmark::DoNotOptimize(helper.BuildDefineFont(fonts, LiberationSans(), characters, 1));
    }
  }
  state.SetLabel(cold ? "cold" : "warm");
}

BENCHMARK(BuildFont<true>)
    ->Name("BuildDefineFont2/95 ASCII")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BuildFont<false>)
    ->Name("BuildDefineFont/95 ASCII")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
