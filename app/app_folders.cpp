#include "app/app_folders.h"

#include <unistd.h>

#include <QStandardPaths>
#include <system_error>

#include "engine/data_folder.h"

namespace zarn::app {
namespace {

bool IsWritableFolder(const std::filesystem::path& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

AppFolders ChooseAppFolders(const std::filesystem::path& programFolder,
                            const std::filesystem::path& cacheFolder) {
  const std::filesystem::path data =
      engine::FindDataFolder(programFolder).value_or(programFolder.parent_path());
  return {data, IsWritableFolder(data) ? data : cacheFolder};
}

AppFolders FindAppFolders() {
  const std::filesystem::path cache =
      QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString();
  AppFolders folders = ChooseAppFolders(engine::RunningProgramFolder(), cache);
  // Made only when it is needed, so that a build tree leaves no trace in the user's home.
  if (folders.work == cache) {
    std::error_code ignored;
    std::filesystem::create_directories(cache, ignored);
  }
  return folders;
}

}  // namespace zarn::app
