#include "media/web_page.h"

#include <filesystem>

#include "engine/media_page.h"
#include "media/export_format.h"
#include "media/movie_export.h"
#include "swftk/replace_file.h"

namespace media {
namespace {

std::string WithExtension(const std::string& path, const char* extension) {
  return std::filesystem::path(path).replace_extension(extension).string();
}

std::string PosterPath(const std::string& path) {
  std::filesystem::path poster(path);
  poster.replace_filename(poster.stem().string() + "-poster.png");
  return poster.string();
}

std::string BareName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace

bool WebPageFilesFor(const ExportOptions& options, WebPageFiles& files, std::string& error) {
  const std::optional<ExportFormat> format = ExportFormatOf(options.path);
  files = {};
  if (!format || *format == ExportFormat::kMov) {
    error = "a page plays .mp4, .webm, .webp, .apng or .gif exports, which browsers play";
    return false;
  }
  if (*format != ExportFormat::kMp4 && *format != ExportFormat::kWebm) {
    files.movies = {options.path};
    return true;
  }
  if (options.transparent) {
    error =
        "a page's video is also written as MP4, which cannot hold a transparent background; "
        "use .webp for a transparent page";
    return false;
  }
  files.video = true;
  const bool mp4 = *format == ExportFormat::kMp4;
  files.movies = {options.path, WithExtension(options.path, mp4 ? ".webm" : ".mp4")};
  files.poster = PosterPath(options.path);
  return true;
}

bool ExportWithWebPage(const std::shared_ptr<const player::CKV_Movie>& movie,
                       const ExportOptions& options, const std::string& pagePath,
                       const std::string& text, const ExportProgress& progress,
                       std::string& error) {
  WebPageFiles files;
  if (!WebPageFilesFor(options, files, error)) return false;
  const auto count = static_cast<uint32_t>(files.movies.size());
  for (uint32_t i = 0; i < count; ++i) {
    ExportOptions one = options;
    one.path = files.movies[i];
    const ExportProgress overall = [&progress, i, count](uint32_t done, uint32_t total) {
      return !progress || progress(i * total + done, count * total);
    };
    if (!ExportMovie(movie, one, overall, error)) return false;
  }
  engine::MediaPage page;
  const ExportFormat format = *ExportFormatOf(options.path);
  // A video's sides are even, and so are its poster's.
  const ExportFormat sizedAs = files.video ? ExportFormat::kMp4 : format;
  if (!ExportSize(*movie, options, sizedAs, page.width, page.height, error)) return false;
  if (files.video) {
    ExportOptions poster = options;
    poster.path = files.poster;
    if (!ExportPoster(movie, poster, sizedAs, error)) return false;
    const bool mp4First = format == ExportFormat::kMp4;
    page.kind = engine::MediaPage::kVideo;
    page.mp4Name = BareName(files.movies[mp4First ? 0 : 1]);
    page.webmName = BareName(files.movies[mp4First ? 1 : 0]);
    page.posterName = BareName(files.poster);
  } else {
    page.kind = engine::MediaPage::kImage;
    page.imageName = BareName(options.path);
  }
  page.text = text;
  return swftk::ReplaceFile(pagePath, engine::FormatMediaPage(page), error);
}

}  // namespace media
