#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "media/export_options.h"

namespace CLI {
class App;
}

namespace player {
class CKV_Movie;
}

namespace zarn::cli {

// The export options "render" and "make" share.
struct ExportSettings {
  int width = 0;
  int height = 0;
  double fps = 0;
  bool transparent = false;
  uint32_t loops = 1;
  int quality = 75;
};

// Adds --fps, --transparent, --loops and --quality, and --width and --height when sized (make
// has sizes of its own: the movie's).
void AddExportOptions(CLI::App& command, ExportSettings& settings, bool sized);

// Whether the path's extension names a video or animated image format.
bool IsExportPath(const std::string& path);

// The options of one export from the shared settings and the command's own.
media::ExportOptions ExportOptionsFor(const ExportSettings& settings, const std::string& path,
                                      double scale, uint32_t from, uint32_t to);

// A page that plays the export, written with it.
struct ExportPage {
  std::string path;
  std::string text;  // the movie's, UTF-8
};

// Exports the movie, and with a page every file the page plays, with a progress bar on stderr
// when it is a terminal; an interrupt (Ctrl+C) stops the export and leaves no partial file.
// Returns the exit status.
int RunExport(const std::shared_ptr<const player::CKV_Movie>& movie,
              const media::ExportOptions& options, const ExportPage* page, std::ostream& out,
              std::ostream& err);

}  // namespace zarn::cli
