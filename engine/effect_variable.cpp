#include "engine/effect_variable.h"

#include <algorithm>
#include <string>

#include "swftk/file_bytes.h"

namespace engine {
namespace {

// The push action's code, its 16-bit length and the string type byte stand between the zero
// that ends the name and the value.
constexpr size_t kBytesBeforeValue = 4;

// Reads the file as a stream would: a read past the end gives -1 and does not move.
class ByteCursor {
 public:
  explicit ByteCursor(const std::string& bytes) : bytes_(bytes) {}

  int Next() {
    if (position_ >= bytes_.size()) return -1;
    return static_cast<unsigned char>(bytes_[position_++]);
  }
  void Skip(size_t count) { position_ = std::min(bytes_.size(), position_ + count); }

 private:
  const std::string& bytes_;
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

bool ReadEffectVariable(std::string_view key, std::string& output, const std::string& path) {
  std::string bytes;
  if (!swftk::ReadFileText(path, bytes)) return false;
  ByteCursor cursor(bytes);
  if (!FindKey(cursor, key, bytes.size())) return true;
  cursor.Skip(kBytesBeforeValue);
  std::string value;
  for (int c = cursor.Next(); c > 0; c = cursor.Next()) value += static_cast<char>(c);
  output = std::move(value);
  return true;
}

}  // namespace engine
