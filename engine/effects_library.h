#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_messages.h"

namespace engine {

// One template of the effects library.
struct EffectEntry {
  // The file, as the data folder joined with "effects/" and the file name.
  std::string path;
  // The template's `name`, or its file name when it sets none or cannot be read; at most 63
  // Windows-1252 bytes.
  std::string name;
  // The first character of the template's `version`; empty when it sets none.
  std::string version;

  // 0 for a Flash 3 effect, 1 for everything else; the list draws each kind its own way.
  int Kind() const { return version == "3" ? 0 : 1; }
  // "F3-" or "F4-" followed by the name, at most 63 bytes.
  std::string DisplayText() const;
};

// What a scan tells while it runs: the first status line once, then each effect's name.
struct EffectScanProgress {
  std::function<void(std::string_view)> firstLine;
  std::function<void(std::string_view)> secondLine;
};

inline constexpr const char* kNoEffectsMessage = "No effects were found";
inline constexpr const char* kLoadingEffectsStatus = "Loading Effects...";

// Lists the ".kvx" and ".swf" templates of dataFolder/effects, sorted byte-wise by path, and
// reads each one's name and version. Without a single ".kvx" file (or without the folder) it
// reports "No effects were found" to the sink and gives an empty list.
std::vector<EffectEntry> ScanEffectsLibrary(const std::filesystem::path& dataFolder,
                                            const ErrorSink& sink,
                                            const EffectScanProgress& progress = {});

// The entry a user names: a listed path as given, or a listed name, in the display text's
// form ("F3-Fade") or bare ("Fade"). Null when none matches.
const EffectEntry* FindEffect(const std::vector<EffectEntry>& entries, std::string_view name);

}  // namespace engine
