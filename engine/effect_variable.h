#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace engine {

// The value of a string variable that a template sets with "push name, push value, set
// variable", found by searching the template's bytes: the zero-terminated string that starts
// four bytes after the zero that ends the first occurrence of the name followed by a zero.
// Nothing when the name is not there.
std::optional<std::string> FindEffectVariable(std::span<const uint8_t> bytes, std::string_view key);

// The same search in a file. Returns false only when the file cannot be opened; when the name
// is not found, output is left untouched.
bool ReadEffectVariable(std::string_view key, std::string& output, const std::string& path);

// The template's "version" variable as an integer, read the way atoi reads; 0 when absent.
int FindEffectVersion(std::span<const uint8_t> bytes);

}  // namespace engine
