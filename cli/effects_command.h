#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace zarn::cli {

// Prints the effects library of dataFolder as the effect list shows it: number, name,
// version and file, one effect a line. Returns the exit status: 1 when there is no effect.
int RunEffectsCommand(const std::filesystem::path& dataFolder, std::ostream& out,
                      std::ostream& err);

// What "make --effect" names: an existing file as given, else the path of the library effect
// of that name (with or without its "F3-"/"F4-" prefix); unchanged when neither.
std::string ResolveEffectPath(const std::string& effect, const std::filesystem::path& dataFolder);

// The data folder of this program's installation or build tree, else the working folder.
std::filesystem::path DefaultDataFolder();

// Adds "effects [--data DIR]" to the program; the status of the run lands in exitStatus.
void AddEffectsCommand(CLI::App& app, int& exitStatus);

}  // namespace zarn::cli
