// The preview as the application runs it: the engine builds a 20-letter movie into a file,
// the preview control loads it into level 0 and draws its first frame at 500 × 150, in the
// time one change of a setting may take. Both modes of the engine.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/zarn_helper.h"
#include "glyphs/system_font_service.h"
#include "player/image.h"
#include "player/preview_control.h"
#include "tests/engine/template_fixture.h"

namespace player {
namespace {

void BM_PreviewBuildLoadAndFirstFrame(benchmark::State& state) {
  const bool editText = state.range(0) != 0;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("preview-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  engine::test::TemplateBuilder builder;
  engine::test::AddStandardTemplate(builder, editText);
  builder.Save((dir / "effect.swf").string());
  glyphs::CKV_SystemFontService fonts;
  engine::MovieRequest request = engine::test::ValidRequest(
      (dir / "effect.swf").string(), (dir / "preview.swf").string(), fonts, "Arial");
  request.text = "Twenty letters here!";
  request.editTextMode = editText;
  request.fontSizeTenths = 240;
  engine::CZarnHelper helper([](std::string_view, std::string_view, std::string_view) {},
                             engine::FileSync::kNoFlush);
  CKV_PreviewControl control;
  auto image = CKV_Image::Create(500, 150);
  for (auto _ : state) {
    if (!helper.GenerateMovie(request)) return state.SkipWithError("the engine failed");
    if (!control.LoadMovie(0, request.outputPath)) return state.SkipWithError("no movie");
    control.Draw(*image);
    benchmark::DoNotOptimize(image->Data());
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PreviewBuildLoadAndFirstFrame)
    ->ArgName("editText")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace player
