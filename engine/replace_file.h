#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Whether a replaced file reaches the disk before it takes the old one's place. Without the
// flush the replacement is still whole or absent for the program, but a power failure right
// after it may lose both versions; files that are made again at once (previews) skip it,
// since the flush costs milliseconds.
enum class FileSync { kFlush, kNoFlush };

// Writes the bytes to a temporary file beside path and renames it over path once it is
// complete: a failed or interrupted write never leaves a half-written file and never touches
// the file that was there. On failure returns false with the reason in error.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& error,
                 FileSync sync = FileSync::kFlush);
bool ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error,
                 FileSync sync = FileSync::kFlush);

}  // namespace engine
