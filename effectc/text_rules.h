#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace effectc {

// Texts that end up in a movie's 8-bit strings keep to printable ASCII, which every code page
// shows the same way and which never holds the zero byte that ends such strings.
inline bool IsPlainText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// Instruction and property names are not case sensitive.
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace effectc
