#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace swftk {

// Whether a replaced file reaches the disk before it takes the old one's place. Without the
// flush the replacement is still whole or absent for the program, but a power failure right
// after it may lose both versions; files that are made again at once (previews) skip it,
// since the flush costs milliseconds.
enum class FileSync { kFlush, kNoFlush };

// A file being replaced: the bytes go to a hidden temporary file beside the destination, which
// Commit renames over it once complete. Until then the destination is untouched, and a
// replacement dropped without Commit leaves no trace. The new file keeps the permission bits
// of the one it replaces (a new one gets the umask's); a symbolic link is written through to
// its target; a destination that is not a regular file (a folder, a device, a FIFO) is refused.
class FileReplacement {
 public:
  FileReplacement() = default;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement();

  // False with the system's reason in error when the temporary file cannot be made.
  bool Open(const std::string& path, std::string& error);
  // Appends bytes; a failure is remembered and reported by Commit.
  bool Write(const void* data, size_t size);
  // Writes bytes at an offset of the file, for writers that go back to fill in a header; a
  // failure is remembered and reported by Commit.
  bool WriteAt(uint64_t offset, const void* data, size_t size);
  // Puts the file in place; false with the reason when any step failed.
  bool Commit(std::string& error, FileSync sync = FileSync::kFlush);

 private:
  void Discard();
  // Writes at the file's position when offset is negative, at offset otherwise.
  bool Transfer(const void* data, size_t size, int64_t offset);

  std::string destination_;
  std::string temporary_;
  int fd_ = -1;
  int failure_ = 0;
  unsigned mode_ = 0;
};

// Writes the bytes to path as a whole or not at all, through a FileReplacement.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& error,
                 FileSync sync = FileSync::kFlush);
bool ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error,
                 FileSync sync = FileSync::kFlush);

// Whether two paths name one file: the same file that exists, or the same place for one that
// does not yet. An output that names an input is refused before anything is written.
bool NamesSameFile(const std::string& first, const std::string& second);

}  // namespace swftk
