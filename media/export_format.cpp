#include "media/export_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <string_view>

namespace media {
namespace {

struct FormatEntry {
  std::string_view extension;
  ExportFormat format;
  bool alpha;
  const char* name;
};

constexpr std::array<FormatEntry, 6> kFormats{{
    {".mp4", ExportFormat::kMp4, false, "MP4 (H.264)"},
    {".webm", ExportFormat::kWebm, true, "WebM (VP9)"},
    {".mov", ExportFormat::kMov, true, "MOV (ProRes 4444)"},
    {".webp", ExportFormat::kWebp, true, "animated WebP"},
    {".apng", ExportFormat::kApng, true, "APNG"},
    {".gif", ExportFormat::kGif, false, "GIF"},
}};

const FormatEntry& Entry(ExportFormat format) {
  return *std::find_if(kFormats.begin(), kFormats.end(),
                       [format](const FormatEntry& entry) { return entry.format == format; });
}

}  // namespace

std::optional<ExportFormat> ExportFormatOf(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const FormatEntry& entry : kFormats)
    if (entry.extension == extension) return entry.format;
  return std::nullopt;
}

bool HoldsAlpha(ExportFormat format) {
  return Entry(format).alpha;
}

const char* FormatName(ExportFormat format) {
  return Entry(format).name;
}

const char* KnownExtensions() {
  return ".mp4, .webm, .mov, .webp, .apng and .gif";
}

}  // namespace media
