#include "swftk/file_bytes.h"

#include <filesystem>
#include <fstream>

namespace swftk {
namespace {

template <typename Buffer>
bool ReadWhole(const std::string& path, Buffer& out) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  out.resize(static_cast<size_t>(size));
  // read() turns a failing read into a state flag where a stream-buffer iterator would throw.
  file.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(size));
  out.resize(static_cast<size_t>(file.gcount()));
  return !file.bad();
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out) {
  return ReadWhole(path, out);
}

bool ReadFileText(const std::string& path, std::string& out) {
  return ReadWhole(path, out);
}

}  // namespace swftk
