#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

// UTF-8 text turned into the Windows-1252 codes the engine works with.
struct Windows1252Text {
  enum class Fault { kNone, kNoCode, kNotUtf8 };

  // The codes, complete only when there is no fault.
  std::string codes;
  Fault fault = Fault::kNone;
  // kNoCode: the first character without a code. kNotUtf8: the first byte that does not
  // belong to a well-formed UTF-8 character.
  char32_t character = 0;
  uint8_t byte = 0;
};

// Converts the whole text, stopping at the first character that cannot be written. The zero
// character has no code: the engine's texts end at it.
Windows1252Text ConvertToWindows1252(std::string_view utf8);

// A sentence naming what stopped a conversion, for the second line of a message.
std::string DescribeConversionFault(const Windows1252Text& converted);

}  // namespace engine
