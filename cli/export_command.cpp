#include "cli/export_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <ostream>

#include "media/export_format.h"
#include "media/movie_export.h"
#include "media/web_page.h"

namespace zarn::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void NoteInterrupt(int) {
  interrupted = 1;
}

// While it lives, an interrupt or termination request is noted instead of ending the
// process, so the export can stop and remove its temporary file.
class InterruptCatcher {
 public:
  InterruptCatcher() {
    interrupted = 0;
    struct sigaction action = {};
    action.sa_handler = NoteInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt_);
    sigaction(SIGTERM, &action, &previousTerm_);
  }
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;
  ~InterruptCatcher() {
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
  }

 private:
  struct sigaction previousInt_ = {};
  struct sigaction previousTerm_ = {};
};

void DrawBar(std::ostream& err, uint32_t done, uint32_t total) {
  constexpr uint32_t kWidth = 40;
  const uint32_t filled = total == 0 ? kWidth : done * kWidth / total;
  err << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, ' ') << "] " << done
      << "/" << total << (done == total ? "\n" : "") << std::flush;
}

}  // namespace

void AddExportOptions(CLI::App& command, ExportSettings& settings, bool sized) {
  if (sized) {
    command.add_option("--width", settings.width,
                       "width of a video or animated image, drawn from the vectors");
    command.add_option("--height", settings.height,
                       "height of a video or animated image, drawn from the vectors");
  }
  command.add_option("--fps", settings.fps,
                     "frames per second of the export (default: the movie's)");
  command.add_flag("--transparent", settings.transparent,
                   "leave the background out (.webm, .mov, .webp, .apng)");
  command.add_option("--loops", settings.loops, "passes of the range the export holds")
      ->capture_default_str();
  command.add_option("--quality", settings.quality, "1 to 100; 100 is lossless WebP")
      ->capture_default_str();
}

bool IsExportPath(const std::string& path) {
  return media::ExportFormatOf(path).has_value();
}

media::ExportOptions ExportOptionsFor(const ExportSettings& settings, const std::string& path,
                                      double scale, uint32_t from, uint32_t to) {
  media::ExportOptions options;
  options.path = path;
  options.scale = scale;
  options.width = settings.width;
  options.height = settings.height;
  options.fps = settings.fps;
  options.transparent = settings.transparent;
  options.loops = settings.loops;
  options.from = from;
  options.to = to;
  options.quality = settings.quality;
  return options;
}

int RunExport(const std::shared_ptr<const player::CKV_Movie>& movie,
              const media::ExportOptions& options, const ExportPage* page, std::ostream& out,
              std::ostream& err) {
  const bool showBar = isatty(STDERR_FILENO) != 0;
  InterruptCatcher catcher;
  const media::ExportProgress progress = [&](uint32_t done, uint32_t total) {
    if (showBar) DrawBar(err, done, total);
    return interrupted == 0;
  };
  std::string error;
  media::WebPageFiles files{false, {options.path}, ""};
  const bool exported =
      page ? media::WebPageFilesFor(options, files, error) &&
                 media::ExportWithWebPage(movie, options, page->path, page->text, progress, error)
           : media::ExportMovie(movie, options, progress, error);
  if (!exported) {
    if (showBar) err << "\n";
    err << "zarn-cli: cannot export to " << options.path << ": " << error << "\n";
    return 1;
  }
  for (const std::string& file : files.movies) out << "export -> " << file << "\n";
  if (!files.poster.empty()) out << "poster -> " << files.poster << "\n";
  if (page) out << "page -> " << page->path << "\n";
  return 0;
}

}  // namespace zarn::cli
