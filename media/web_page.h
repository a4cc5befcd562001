#pragma once

#include <memory>
#include <string>
#include <vector>

#include "media/export_options.h"

namespace player {
class CKV_Movie;
}

namespace media {

// The files a page that plays an export needs, by the export's extension. An MP4 or a WebM is
// played by a video that lists both, so every browser finds one it plays, with a poster: the
// other of the two and the poster are written beside the export ("title.mp4" brings
// "title.webm" and "title-poster.png"). An animated WebP, APNG or GIF is shown as an image and
// needs nothing more.
struct WebPageFiles {
  bool video = false;
  // Every file exported, the one asked for first.
  std::vector<std::string> movies;
  std::string poster;  // empty for an image
};

// False with the reason when no page can play the export's format (a MOV, which browsers do
// not play) or when a transparent video is asked for, which MP4 cannot hold.
bool WebPageFilesFor(const ExportOptions& options, WebPageFiles& files, std::string& error);

// Exports the movie as every file the page plays, then writes the page to pagePath, sized as
// the export and holding the movie's text (UTF-8). The page names its files without folders,
// so it belongs beside them. It is written last, only once every file it names is in place;
// progress counts the frames of all the exports together.
bool ExportWithWebPage(const std::shared_ptr<const player::CKV_Movie>& movie,
                       const ExportOptions& options, const std::string& pagePath,
                       const std::string& text, const ExportProgress& progress, std::string& error);

}  // namespace media
