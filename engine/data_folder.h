#pragma once

#include <filesystem>
#include <optional>

namespace engine {

// The folder below the installation prefix that holds the program's data.
inline constexpr const char* kInstalledDataFolder = "share/kalvoren-zarn";

// Where the program's data (effects, skins, the cross movie, help) lies for a program in
// programFolder: the folder above it in the build tree (build/app/zarn uses build/), or
// PREFIX/share/kalvoren-zarn for a program installed in PREFIX/bin. The first of the two that
// holds an "effects" folder; none when neither does.
std::optional<std::filesystem::path> FindDataFolder(const std::filesystem::path& programFolder);

// The folder of the running program, from the system's link to it; empty when unknown.
std::filesystem::path RunningProgramFolder();

}  // namespace engine
