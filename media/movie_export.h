#pragma once

#include <memory>
#include <string>

#include "media/export_format.h"
#include "media/export_options.h"

namespace player {
class CKV_Movie;
}

namespace media {

// Plays the movie and writes the range as the file options.path names (its extension picks
// the format), frames streamed one at a time to the encoder. The file appears only when it is
// complete: a refused option, a failing encoder or a progress callback that says stop leaves
// nothing, and false comes back with a readable reason in error.
bool ExportMovie(const std::shared_ptr<const player::CKV_Movie>& movie,
                 const ExportOptions& options, const ExportProgress& progress, std::string& error);

// The checks ExportMovie makes before it plays anything: a format the extension names and
// options that format can take. False with the reason in error, worded as ExportMovie words it.
bool CheckExportOptions(const ExportOptions& options, std::string& error);

// The size in pixels of an export to the format; false with the reason when it is refused.
bool ExportSize(const player::CKV_Movie& movie, const ExportOptions& options, ExportFormat format,
                int& width, int& height, std::string& error);

// Writes the range's last frame as a PNG at options.path, drawn as an export to the format
// would draw it: the same size, the same background or none.
bool ExportPoster(const std::shared_ptr<const player::CKV_Movie>& movie,
                  const ExportOptions& options, ExportFormat sizedAs, std::string& error);

}  // namespace media
