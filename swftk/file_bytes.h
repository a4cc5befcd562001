#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace swftk {

// The whole content of a regular file. False when the path is missing, is not a regular file
// (a folder, a device) or cannot be read; nothing is thrown.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out);
bool ReadFileText(const std::string& path, std::string& out);

}  // namespace swftk
