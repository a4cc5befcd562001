// The preview as the application runs it after a change of a setting: the engine's entry point
// builds the movie into a file (settings checks, template read once, no flush to the disk), the
// preview control loads it into level 0 and draws its first frame at 500 × 150. "save" runs
// the same build as a Save does, flushed to the disk, for comparison. Plain and edit-text
// templates, short and longest texts; the font stays in the service's cache between runs, as
// in a session.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/build_movie_file.h"
#include "glyphs/system_font_service.h"
#include "player/image.h"
#include "player/preview_control.h"
#include "tests/engine/template_fixture.h"

namespace player {
namespace {

std::string BenchFile(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("zarn-preview-bench-" + std::to_string(::getpid()) + "-" + name))
      .string();
}

// The test template, of version 4 (letters are text fields) or 3.
std::string SaveTemplate(bool editText) {
  engine::test::TemplateBuilder builder;
  builder.Variable("version", editText ? "4" : "3");
  engine::test::AddStandardTemplate(builder, editText);
  const std::string path = BenchFile(editText ? "edit.swf" : "plain.swf");
  builder.Save(path);
  return path;
}

engine::MovieSettings Settings(int letters) {
  const std::string words = "Kalvoren Zarn makes animated text for the web. ";
  engine::MovieSettings settings = engine::test::ValidSettings("Arial");
  settings.text.clear();
  while (static_cast<int>(settings.text.size()) < letters) settings.text += words;
  settings.text.resize(static_cast<size_t>(letters));
  settings.fontSize = 12;
  return settings;
}

void BM_PreviewPath(benchmark::State& state, bool editText, int letters, bool forPreview) {
  glyphs::CKV_SystemFontService fonts;
  const engine::MovieSettings settings = Settings(letters);
  const engine::MovieTarget target{SaveTemplate(editText), BenchFile("preview.swf"), forPreview};
  std::string message;
  const engine::ErrorSink sink = [&message](std::string_view, std::string_view text,
                                            std::string_view) { message = text; };
  CKV_PreviewControl control;
  auto image = CKV_Image::Create(settings.movieWidth, settings.movieHeight);
  for (auto _ : state) {
    if (!engine::BuildMovieFile(settings, target, fonts, sink)) {
      state.SkipWithError(("the build failed: " + message).c_str());
      break;
    }
    if (!control.LoadMovie(0, target.outputPath)) {
      state.SkipWithError("the preview control did not load the movie");
      break;
    }
    control.Draw(*image);
    benchmark::DoNotOptimize(image->Data());
  }
  std::filesystem::remove(target.effectPath);
  std::filesystem::remove(target.outputPath);
}

BENCHMARK_CAPTURE(BM_PreviewPath, plain_20_preview, false, 20, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewPath, plain_20_save, false, 20, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewPath, plain_254_preview, false, 254, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewPath, edit_text_20_preview, true, 20, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewPath, edit_text_20_save, true, 20, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreviewPath, edit_text_254_preview, true, 254, true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace player
