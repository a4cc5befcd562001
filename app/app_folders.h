#pragma once

#include <filesystem>

namespace zarn::app {

// Where the program reads its data and writes its preview files. The working directory is
// never changed: every file is named by its full path below one of these.
struct AppFolders {
  // effects/, the skins, the cross movie and help/.
  std::filesystem::path data;
  // "preview.swf" and the resized cross movie: the data folder when it is writable, else a
  // per-user cache folder.
  std::filesystem::path work;

  std::filesystem::path Data(const char* name) const { return data / name; }
  std::filesystem::path Work(const char* name) const { return work / name; }
};

// The folders for a program in programFolder (see engine::FindDataFolder), with cacheFolder
// taking the preview files when the data folder cannot be written. Without a data folder the
// one above the program's is taken, so that the start-up reports the first file it misses.
AppFolders ChooseAppFolders(const std::filesystem::path& programFolder,
                            const std::filesystem::path& cacheFolder);

// ChooseAppFolders for the running program and the user's cache folder.
AppFolders FindAppFolders();

}  // namespace zarn::app
