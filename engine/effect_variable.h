#pragma once

#include <string>
#include <string_view>

namespace engine {

// Reads a string variable that a template sets with "push name, push value, set variable" by
// searching the file's bytes: the value is the zero-terminated string that starts four bytes
// after the zero that ends the first occurrence of the name followed by a zero. Returns false
// only when the file cannot be opened; when the name is not found, output is left untouched.
bool ReadEffectVariable(std::string_view key, std::string& output, const std::string& path);

}  // namespace engine
