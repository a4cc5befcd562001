#pragma once

#include <optional>
#include <string>

namespace media {

// The files a movie can be exported to, chosen by the output's extension.
enum class ExportFormat { kMp4, kWebm, kMov, kWebp, kApng, kGif };

// The format an output path names by its extension (any case), or none.
std::optional<ExportFormat> ExportFormatOf(const std::string& path);
// Whether the format keeps a transparent background.
bool HoldsAlpha(ExportFormat format);
// A short name for messages, such as "MP4 (H.264)".
const char* FormatName(ExportFormat format);
// The extensions ExportFormatOf knows, for messages: ".mp4, .webm, ...".
const char* KnownExtensions();

}  // namespace media
