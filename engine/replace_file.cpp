#include "engine/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace engine {
namespace {

// The mode a plain open() would give a new file; mkstemp makes its file private.
mode_t CreationMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

bool WriteWhole(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& error,
                 FileSync sync) {
  // A hidden name in the same folder, so that the rename never crosses file systems.
  const std::filesystem::path destination(path);
  std::string hiddenName = ".";
  hiddenName += destination.filename().string();
  hiddenName += ".XXXXXX";
  std::string temporary = (destination.parent_path() / hiddenName).string();
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  int failure = 0;
  if (!WriteWhole(fd, bytes) || fchmod(fd, CreationMode()) != 0 ||
      (sync == FileSync::kFlush && fsync(fd) != 0)) {
    failure = errno;
  }
  if (close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) failure = errno;
  if (failure != 0) {
    unlink(temporary.c_str());
    error = std::strerror(failure);
    return false;
  }
  return true;
}

bool ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error,
                 FileSync sync) {
  return ReplaceFile(path,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                     error, sync);
}

}  // namespace engine
