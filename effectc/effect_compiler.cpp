#include "effectc/effect_compiler.h"

#include <variant>

#include "effectc/clip_movie.h"
#include "effectc/effect_template.h"
#include "effectc/source_parser.h"
#include "swftk/header.h"
#include "swftk/reader.h"
#include "swftk/writer.h"

namespace effectc {
namespace {

constexpr size_t kSignatureBytes = 4;

// A template played on its own shows its effect on a stage of this size.
constexpr int kTemplateWidth = 400;
constexpr int kTemplateHeight = 200;
constexpr float kTemplateFrameRate = 12.0F;
constexpr uint8_t kMovieVersion = 4;

struct Stage {
  int width = kTemplateWidth;
  int height = kTemplateHeight;
  float frameRate = kTemplateFrameRate;
};

std::vector<uint8_t> MovieBytes(swftk::TagList tags, const Stage& stage, OutputKind kind) {
  swftk::CSwfWriter writer;
  for (auto& tag : tags) writer.AddTag(std::move(tag));
  swftk::CSwfHeader header;
  header.Setup(stage.width, stage.height, stage.frameRate, 0, kMovieVersion);
  std::vector<uint8_t> bytes;
  if (writer.Build(bytes, &header) == 0) return bytes;
  if (kind == OutputKind::kKvx) bytes.erase(bytes.begin(), bytes.begin() + kSignatureBytes);
  return bytes;
}

}  // namespace

OutputKind OutputKindFor(std::string_view path) {
  return swftk::IsKvxPath(path) ? OutputKind::kKvx : OutputKind::kSwf;
}

bool CompileSource(std::string_view source, OutputKind kind, std::vector<uint8_t>& out,
                   std::string& error) {
  SourceDocument document;
  if (!ParseSource(source, document, error)) return false;
  swftk::TagList tags;
  Stage stage;
  if (const auto* effect = std::get_if<EffectSource>(&document)) {
    if (!BuildEffectTemplate(*effect, tags, error)) return false;
  } else {
    const auto& movie = std::get<MovieSource>(document);
    stage = {movie.width, movie.height, static_cast<float>(movie.frameRate)};
    if (!BuildClipMovie(movie, tags, error)) return false;
  }
  out = MovieBytes(std::move(tags), stage, kind);
  if (out.empty()) error = "an action record is longer than its 16-bit length field holds";
  return !out.empty();
}

}  // namespace effectc
