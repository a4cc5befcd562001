#include "swftk/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace swftk {
namespace {

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

// The mode a plain open() would give a new file; mkstemp makes its file private.
mode_t CreationMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

// The file a path finally names, through any symbolic links, so that replacing it keeps the
// links. Zero, or the errno of the step that failed; a missing end is a new file, not a failure.
int ResolveLinks(std::filesystem::path& path, struct stat& status, bool& exists) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    if (lstat(path.c_str(), &status) != 0) {
      exists = false;
      return errno == ENOENT ? 0 : errno;
    }
    if (!S_ISLNK(status.st_mode)) {
      exists = true;
      return 0;
    }
    std::error_code code;
    const std::filesystem::path target = std::filesystem::read_symlink(path, code);
    if (code) return code.value();
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return ELOOP;
}

}  // namespace

FileReplacement::~FileReplacement() {
  Discard();
}

void FileReplacement::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
}

bool FileReplacement::Open(const std::string& path, std::string& error) {
  Discard();
  failure_ = 0;
  std::filesystem::path destination(path);
  struct stat status {};
  bool exists = false;
  if (const int failure = ResolveLinks(destination, status, exists); failure != 0) {
    error = std::strerror(failure);
    return false;
  }
  if (exists && !S_ISREG(status.st_mode)) {
    error = "it is not a regular file";
    return false;
  }
  mode_ = exists ? (status.st_mode & 07777) : CreationMode();
  // A hidden name in the same folder, so that the rename never crosses file systems.
  std::string hiddenName = ".";
  hiddenName += destination.filename().string();
  hiddenName += ".XXXXXX";
  std::string temporary = (destination.parent_path() / hiddenName).string();
  fd_ = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd_ < 0) {
    error = std::strerror(errno);
    return false;
  }
  temporary_ = std::move(temporary);
  destination_ = destination.string();
  return true;
}

bool FileReplacement::Write(const void* data, size_t size) {
  return Transfer(data, size, -1);
}

bool FileReplacement::WriteAt(uint64_t offset, const void* data, size_t size) {
  return Transfer(data, size, static_cast<int64_t>(offset));
}

bool FileReplacement::Transfer(const void* data, size_t size, int64_t offset) {
  const auto* bytes = static_cast<const char*>(data);
  while (failure_ == 0 && size > 0) {
    const ssize_t written =
        offset < 0 ? write(fd_, bytes, size) : pwrite(fd_, bytes, size, static_cast<off_t>(offset));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      failure_ = written < 0 ? errno : EIO;
      break;
    }
    bytes += written;
    if (offset >= 0) offset += written;
    size -= static_cast<size_t>(written);
  }
  return failure_ == 0;
}

bool FileReplacement::Commit(std::string& error, FileSync sync) {
  if (fd_ < 0) {
    error = "the file was never opened";
    return false;
  }
  if (failure_ == 0 && fchmod(fd_, static_cast<mode_t>(mode_)) != 0) failure_ = errno;
  if (failure_ == 0 && sync == FileSync::kFlush && fsync(fd_) != 0) failure_ = errno;
  if (close(fd_) != 0 && failure_ == 0) failure_ = errno;
  fd_ = -1;
  if (failure_ == 0 && std::rename(temporary_.c_str(), destination_.c_str()) != 0) failure_ = errno;
  if (failure_ != 0) {
    error = std::strerror(failure_);
    Discard();
    return false;
  }
  temporary_.clear();
  return true;
}

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& error,
                 FileSync sync) {
  FileReplacement file;
  if (!file.Open(path, error)) return false;
  // A failed write is reported, with its reason, by Commit.
  file.Write(bytes.data(), bytes.size());
  return file.Commit(error, sync);
}

bool ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error,
                 FileSync sync) {
  return ReplaceFile(path,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                     error, sync);
}

bool NamesSameFile(const std::string& first, const std::string& second) {
  std::error_code code;
  if (std::filesystem::equivalent(first, second, code)) return true;
  const auto a = std::filesystem::weakly_canonical(first, code);
  if (code) return false;
  const auto b = std::filesystem::weakly_canonical(second, code);
  return !code && a == b;
}

}  // namespace swftk
