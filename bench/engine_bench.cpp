// GenerateMovie end to end with an installed font ("Arial", found through fontconfig) and a
// template built here: every mode, for a short text and for the longest text a movie takes.
// Each run writes the movie file, flushed to the disk as a saved movie is ("save") or not, as a
// preview is ("preview"); the face stays in the font service's cache between runs, as it does
// between the previews of one session. peak_rss_kb is the process's high-water mark
// after the run: run one benchmark per process (--benchmark_filter) to read it for that case.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>

#include "engine/movie_request.h"
#include "engine/zarn_helper.h"
#include "glyphs/system_font_service.h"
#include "tests/engine/template_fixture.h"

namespace engine {
namespace {

enum class Mode { kEditText, kAllAtOnce, kStaggered };

std::string BenchFile(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("zarn-engine-bench-" + name)).string();
}

// The test template with a text field, saved once per process.
const std::string& TemplatePath() {
  static const std::string path = [] {
    test::TemplateBuilder builder;
    builder.Variable("name", "Grow").Variable("version", "4");
    test::AddStandardTemplate(builder, true);
    const std::string file = BenchFile("effect.swf");
    builder.Save(file);
    return file;
  }();
  return path;
}

std::string Text(int letters) {
  const std::string words = "Kalvoren Zarn makes animated text for the web. ";
  std::string text;
  while (static_cast<int>(text.size()) < letters) text += words;
  text.resize(static_cast<size_t>(letters));
  return text;
}

void BM_GenerateMovie(benchmark::State& state, Mode mode, int letters, FileSync sync) {
  glyphs::CKV_SystemFontService fonts;
  MovieRequest request = test::ValidRequest(TemplatePath(), BenchFile("out.swf"), fonts, "Arial");
  request.text = Text(letters);
  request.allAtOnce = mode == Mode::kAllAtOnce;
  request.editTextMode = mode == Mode::kEditText;
  bool failed = false;
  CZarnHelper helper(
      [&failed](std::string_view, std::string_view, std::string_view) { failed = true; }, sync);
  for (auto _ : state) {
    benchmark::DoNotOptimize(helper.GenerateMovie(request));
  }
  if (failed) state.SkipWithError("the build reported a message");
  state.counters["movie_bytes"] =
      static_cast<double>(std::filesystem::file_size(request.outputPath));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_kb"] = static_cast<double>(usage.ru_maxrss);
}

BENCHMARK_CAPTURE(BM_GenerateMovie, edit_text_20_save, Mode::kEditText, 20, FileSync::kFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, edit_text_20_preview, Mode::kEditText, 20, FileSync::kNoFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, edit_text_254_save, Mode::kEditText, 254, FileSync::kFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, edit_text_254_preview, Mode::kEditText, 254, FileSync::kNoFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, all_at_once_20_save, Mode::kAllAtOnce, 20, FileSync::kFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, all_at_once_20_preview, Mode::kAllAtOnce, 20,
                  FileSync::kNoFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, all_at_once_254_save, Mode::kAllAtOnce, 254, FileSync::kFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, all_at_once_254_preview, Mode::kAllAtOnce, 254,
                  FileSync::kNoFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, staggered_20_save, Mode::kStaggered, 20, FileSync::kFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, staggered_20_preview, Mode::kStaggered, 20, FileSync::kNoFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, staggered_254_save, Mode::kStaggered, 254, FileSync::kFlush)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GenerateMovie, staggered_254_preview, Mode::kStaggered, 254,
                  FileSync::kNoFlush)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace engine
