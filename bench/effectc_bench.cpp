// Effect compilation: scripts that share a frame go into one action list, and each is
// measured on its own, so the frame's cost grows with its scripts, not with their square.
#include <benchmark/benchmark.h>

#include <string>

#include "effectc/action_assembler.h"

namespace effectc {
namespace {

void BM_AssembleScriptsOfOneFrame(benchmark::State& state) {
  const Script script{"script", {"top:", "push \"n\"", "getVariable", "if top", "stop"}};
  const ScriptConstants constants;
  for (auto _ : state) {
    swftk::ActionList frame;
    std::string error;
    for (int64_t i = 0; i < state.range(0); ++i) Assemble(script, constants, frame, error);
    benchmark::DoNotOptimize(frame.data());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AssembleScriptsOfOneFrame)
    ->Arg(1000)
    ->Arg(8000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace effectc
