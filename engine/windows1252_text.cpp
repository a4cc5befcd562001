#include "engine/windows1252_text.h"

#include <cstdio>
#include <optional>

#include "glyphs/windows1252.h"

namespace engine {
namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

std::optional<uint8_t> CodeOf(char32_t character) {
  if (character == 0) return std::nullopt;
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<uint8_t>(character);
  }
  for (unsigned code = 0x80; code < 0xA0; ++code) {
    if (glyphs::Windows1252ToUnicode(static_cast<uint8_t>(code)) == character) {
      return static_cast<uint8_t>(code);
    }
  }
  return std::nullopt;
}

// Decodes the character at position and moves past it; nullopt for a malformed sequence
// (bad lead or continuation byte, overlong form, surrogate, beyond U+10FFFF).
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& position) {
  const auto lead = static_cast<uint8_t>(text[position]);
  if (lead < 0x80) {
    ++position;
    return lead;
  }
  size_t length = 0;
  char32_t value = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1FU;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0FU;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07U;
    smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - position < length) return std::nullopt;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<uint8_t>(text[position + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (next & 0x3FU);
  }
  if (value < smallest || value > kLastCodePoint || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  position += length;
  return value;
}

bool IsVisible(char32_t character) {
  return character >= 0x20 && !(character >= 0x7F && character < 0xA0);
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

Windows1252Text ConvertToWindows1252(std::string_view utf8) {
  Windows1252Text result;
  result.codes.reserve(utf8.size());
  size_t position = 0;
  while (position < utf8.size()) {
    const size_t start = position;
    const std::optional<char32_t> character = DecodeUtf8(utf8, position);
    if (!character) {
      result.fault = Windows1252Text::Fault::kNotUtf8;
      result.byte = static_cast<uint8_t>(utf8[start]);
      return result;
    }
    const std::optional<uint8_t> code = CodeOf(*character);
    if (!code) {
      result.fault = Windows1252Text::Fault::kNoCode;
      result.character = *character;
      return result;
    }
    result.codes += static_cast<char>(*code);
  }
  return result;
}

std::string DescribeConversionFault(const Windows1252Text& converted) {
  char number[16];
  switch (converted.fault) {
    case Windows1252Text::Fault::kNone:
      return {};
    case Windows1252Text::Fault::kNotUtf8:
      std::snprintf(number, sizeof number, "0x%02X", converted.byte);
      return std::string("The byte ") + number + " is not valid UTF-8.";
    case Windows1252Text::Fault::kNoCode:
      break;
  }
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(converted.character));
  std::string name;
  if (IsVisible(converted.character)) {
    name = "\"";
    AppendUtf8(name, converted.character);
    name += "\" ";
  }
  return "The character " + name + "(" + number + ") cannot be written in Windows-1252.";
}

}  // namespace engine
