#include "engine/build_movie_file.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "engine/colorref.h"
#include "engine/zarn_helper.h"
#include "swftk/file_bytes.h"

namespace engine {
namespace {

std::optional<MovieRequest> Prepare(const MovieSettings& settings, const MovieTarget& target,
                                    glyphs::CKV_FontService& fonts, const ErrorSink& sink) {
  // An unreadable template leaves the bytes empty; the generator then reports it, after the
  // settings checks, as the fixed order has it.
  std::vector<uint8_t> templateBytes;
  swftk::ReadFileBytes(target.effectPath, templateBytes);
  return PrepareMovieRequest(settings, target, std::move(templateBytes), fonts, sink);
}

}  // namespace

bool BuildMovieFile(const MovieSettings& settings, const MovieTarget& target,
                    glyphs::CKV_FontService& fonts, const ErrorSink& sink) {
  const std::optional<MovieRequest> request = Prepare(settings, target, fonts, sink);
  if (!request) return false;
  CZarnHelper helper(sink, target.forPreview ? FileSync::kNoFlush : FileSync::kFlush);
  return helper.GenerateMovie(*request);
}

bool CheckMovieSettings(const MovieSettings& settings, const MovieTarget& target,
                        glyphs::CKV_FontService& fonts, const ErrorSink& sink) {
  return Prepare(settings, target, fonts, sink).has_value();
}

std::string MovieTextFromFile(std::string_view fileText) {
  if (fileText.starts_with("\xEF\xBB\xBF")) fileText.remove_prefix(3);
  if (fileText.ends_with("\r\n")) {
    fileText.remove_suffix(2);
  } else if (fileText.ends_with('\n')) {
    fileText.remove_suffix(1);
  }
  return std::string(fileText);
}

HtmlOptions PageOptionsFor(const MovieSettings& settings, const HtmlOptions& stored) {
  HtmlOptions page = stored;
  page.width = settings.movieWidth;
  page.height = settings.movieHeight;
  page.red = RedOf(settings.backgroundColor);
  page.green = GreenOf(settings.backgroundColor);
  page.blue = BlueOf(settings.backgroundColor);
  return page;
}

std::string EmbedName(const std::string& moviePath) {
  return std::filesystem::path(moviePath).filename().string();
}

}  // namespace engine
