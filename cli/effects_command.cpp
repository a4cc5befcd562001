#include "cli/effects_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iomanip>
#include <iostream>
#include <memory>
#include <system_error>

#include "engine/data_folder.h"
#include "engine/effects_library.h"
#include "engine/windows1252_text.h"
#include "glyphs/windows1252.h"

namespace zarn::cli {
namespace {

constexpr size_t kNameColumn = 28;

}  // namespace

int RunEffectsCommand(const std::filesystem::path& dataFolder, std::ostream& out,
                      std::ostream& err) {
  const engine::ErrorSink sink = [&err](std::string_view, std::string_view text, std::string_view) {
    err << "zarn-cli: " << text << "\n";
  };
  const std::vector<engine::EffectEntry> entries = engine::ScanEffectsLibrary(dataFolder, sink);
  for (size_t i = 0; i < entries.size(); ++i) {
    const engine::EffectEntry& entry = entries[i];
    // Padded by characters, not by the bytes UTF-8 needs for them.
    const std::string shown = entry.DisplayText();
    out << std::setw(3) << i + 1 << "  " << glyphs::Windows1252ToUtf8(shown)
        << std::string(kNameColumn - std::min(kNameColumn, shown.size()), ' ') << "  "
        << (entry.version.empty() ? "-" : entry.version) << "  " << entry.path << "\n";
  }
  return entries.empty() ? 1 : 0;
}

std::string ResolveEffectPath(const std::string& effect, const std::filesystem::path& dataFolder) {
  std::error_code error;
  if (effect.empty() || std::filesystem::exists(effect, error)) return effect;
  const auto silent = [](std::string_view, std::string_view, std::string_view) {};
  const std::vector<engine::EffectEntry> entries = engine::ScanEffectsLibrary(dataFolder, silent);
  const engine::Windows1252Text name = engine::ConvertToWindows1252(effect);
  const engine::EffectEntry* found = engine::FindEffect(entries, name.codes);
  return found != nullptr && name.fault == engine::Windows1252Text::Fault::kNone ? found->path
                                                                                 : effect;
}

std::filesystem::path DefaultDataFolder() {
  return engine::FindDataFolder(engine::RunningProgramFolder())
      .value_or(std::filesystem::current_path());
}

void AddEffectsCommand(CLI::App& app, int& exitStatus) {
  auto folder = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand(
      "effects", "List the effects library: number, name, version and file of each effect");
  command->add_option("--data", *folder,
                      "the folder that holds effects/ (default: this program's data folder)");
  command->callback([folder, &exitStatus] {
    exitStatus =
        RunEffectsCommand(folder->empty() ? DefaultDataFolder() : std::filesystem::path(*folder),
                          std::cout, std::cerr);
  });
}

}  // namespace zarn::cli
