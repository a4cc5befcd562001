#include "player/movie_file.h"

#include <cstdint>
#include <vector>

#include "swftk/file_bytes.h"

namespace player {
namespace {

constexpr size_t kHeaderBytes = 8;

uint32_t DeclaredLength(const std::vector<uint8_t>& file) {
  return uint32_t{file[4]} | uint32_t{file[5]} << 8 | uint32_t{file[6]} << 16 |
         uint32_t{file[7]} << 24;
}

}  // namespace

MovieLoadResult LoadCompleteMovieFile(const std::string& path) {
  std::vector<uint8_t> file;
  if (!swftk::ReadFileBytes(path, file)) return {nullptr, "the file cannot be read"};
  // A compressed movie's length counts the inflated bytes, which only the reader sees.
  if (file.size() >= kHeaderBytes && file[0] == 'F' && file[1] == 'W' && file[2] == 'S' &&
      DeclaredLength(file) > file.size()) {
    return {nullptr, "the file is cut short: " + std::to_string(file.size()) + " of " +
                         std::to_string(DeclaredLength(file)) + " bytes"};
  }
  return LoadMovieBytes(std::move(file));
}

}  // namespace player
