#include "engine/effect_variable.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/movie_settings.h"
#include "swftk/file_bytes.h"

namespace engine {
namespace {

// The push action's code, its 16-bit length and the string type byte stand between the zero
// that ends the name and the value.
constexpr size_t kBytesBeforeValue = 4;

// Reads the bytes as a stream would: a read past the end gives -1 and does not move.
class ByteCursor {
 public:
  explicit ByteCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  int Next() {
    if (position_ >= bytes_.size()) return -1;
    return bytes_[position_++];
  }
  void Skip(size_t count) { position_ = std::min(bytes_.size(), position_ + count); }

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

// The scan does not step back after a failed partial match: every byte compared is consumed,
// so "nname" followed by a zero does not match "name".
bool FindKey(ByteCursor& cursor, std::string_view key, size_t fileSize) {
  const std::string pattern = std::string(key) + '\0';
  const auto expected = [&pattern](size_t i) { return static_cast<unsigned char>(pattern[i]); };
  for (size_t attempt = 0; attempt + 1 < fileSize; ++attempt) {
    if (cursor.Next() != expected(0)) continue;
    bool match = true;
    for (size_t i = 1; i < pattern.size(); ++i) {
      if (cursor.Next() != expected(i)) match = false;
    }
    if (match) return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> FindEffectVariable(std::span<const uint8_t> bytes,
                                              std::string_view key) {
  ByteCursor cursor(bytes);
  if (!FindKey(cursor, key, bytes.size())) return std::nullopt;
  cursor.Skip(kBytesBeforeValue);
  std::string value;
  for (int c = cursor.Next(); c > 0; c = cursor.Next()) value += static_cast<char>(c);
  return value;
}

bool ReadEffectVariable(std::string_view key, std::string& output, const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!swftk::ReadFileBytes(path, bytes)) return false;
  if (std::optional<std::string> value = FindEffectVariable(bytes, key)) output = std::move(*value);
  return true;
}

int FindEffectVersion(std::span<const uint8_t> bytes) {
  return FieldToInt(FindEffectVariable(bytes, "version").value_or(""));
}

}  // namespace engine
