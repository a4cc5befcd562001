#include "engine/data_folder.h"

#include <system_error>

namespace engine {

std::optional<std::filesystem::path> FindDataFolder(const std::filesystem::path& programFolder) {
  const std::filesystem::path parent = programFolder.parent_path();
  for (const std::filesystem::path& candidate : {parent, parent / kInstalledDataFolder}) {
    std::error_code error;
    if (std::filesystem::is_directory(candidate / "effects", error)) return candidate;
  }
  return std::nullopt;
}

std::filesystem::path RunningProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace engine
