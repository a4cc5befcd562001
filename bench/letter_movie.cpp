#include "bench/letter_movie.h"

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/zarn_helper.h"
#include "glyphs/system_font_service.h"
#include "player/movie_loader.h"
#include "swftk/file_bytes.h"
#include "tests/engine/template_fixture.h"

namespace bench {
namespace {

// 254 characters in six lines of small letters, so most of them stand on the stage.
std::string LongText() {
  const std::string line = "The quick brown fox jumps over the lazy dog, 0123456789";
  std::string text;
  while (text.size() + line.size() + 2 <= engine::kMaxTextLength) text += line + "\r\n";
  text += line.substr(0, engine::kMaxTextLength - text.size());
  return text;
}

}  // namespace

std::vector<uint8_t> EngineMovieBytes(bool allAtOnce, size_t letters, bool editText) {
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

std::shared_ptr<const player::CKV_Movie> EngineMovie(bool allAtOnce) {
  return player::LoadMovieBytes(EngineMovieBytes(allAtOnce)).movie;
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace bench
