#include "engine/effects_library.h"

#include <algorithm>
#include <system_error>

#include "engine/effect_variable.h"

namespace engine {
namespace {

// The sizes of the buffers the list keeps, without their terminators.
constexpr size_t kMaxNameLength = 63;
constexpr size_t kMaxVersionLength = 1;

std::string Cut(std::string text, size_t length) {
  if (text.size() > length) text.resize(length);
  return text;
}

// The file names in the folder that end in the extension, exactly as typed (the search is
// case-sensitive, so "A.KVX" is not a template).
std::vector<std::string> ListFiles(const std::filesystem::path& folder,
                                   std::string_view extension) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() > extension.size() && name.ends_with(extension) && it->is_regular_file(error)) {
      names.push_back(name);
    }
  }
  return names;
}

// Name and version start empty for every file, so a template that sets neither, or cannot be
// opened, never shows what the previous file set.
EffectEntry ReadEntry(std::string path, const std::string& fileName) {
  EffectEntry entry;
  entry.path = std::move(path);
  std::string name;
  std::string version;
  if (ReadEffectVariable("name", name, entry.path)) {
    ReadEffectVariable("version", version, entry.path);
  }
  entry.name = Cut(name.empty() ? fileName : name, kMaxNameLength);
  entry.version = Cut(version, kMaxVersionLength);
  return entry;
}

}  // namespace

std::string EffectEntry::DisplayText() const {
  return Cut((Kind() == 0 ? "F3-" : "F4-") + name, kMaxNameLength);
}

std::vector<EffectEntry> ScanEffectsLibrary(const std::filesystem::path& dataFolder,
                                            const ErrorSink& sink,
                                            const EffectScanProgress& progress) {
  if (progress.firstLine) progress.firstLine(kLoadingEffectsStatus);
  const std::filesystem::path folder = dataFolder / "effects";
  std::vector<std::string> names = ListFiles(folder, ".kvx");
  if (names.empty()) {
    ShowError(sink, kNoEffectsMessage);
    return {};
  }
  const std::vector<std::string> movies = ListFiles(folder, ".swf");
  names.insert(names.end(), movies.begin(), movies.end());
  // Plain byte order, as the paths compare: "Zoom" before "apple".
  std::sort(names.begin(), names.end());

  std::vector<EffectEntry> entries;
  entries.reserve(names.size());
  for (const std::string& name : names) {
    entries.push_back(ReadEntry((folder / name).string(), name));
    if (progress.secondLine) progress.secondLine(entries.back().name);
  }
  return entries;
}

const EffectEntry* FindEffect(const std::vector<EffectEntry>& entries, std::string_view name) {
  const auto match = std::find_if(entries.begin(), entries.end(), [name](const EffectEntry& e) {
    return e.path == name || e.name == name || e.DisplayText() == name;
  });
  return match == entries.end() ? nullptr : &*match;
}

}  // namespace engine
