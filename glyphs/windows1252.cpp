#include "glyphs/windows1252.h"

namespace glyphs {

namespace {

// 0x80 to 0x9F; zero marks a code the code page leaves undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 0x98
};

}  // namespace

char32_t Windows1252ToUnicode(uint8_t code) {
  if (code < 0x80 || code >= 0xA0) return code;
  const char16_t mapped = kHighControls[code - 0x80];
  return mapped != 0 ? mapped : code;
}

bool IsPrintableWindows1252(uint8_t code) {
  if (code < 0x20 || code == 0x7F) return false;
  return code < 0x80 || code >= 0xA0 || kHighControls[code - 0x80] != 0;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (const char byte : text) {
    const char32_t c = Windows1252ToUnicode(static_cast<uint8_t>(byte));
    if (c < 0x80) {
      utf8.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | c >> 6));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xE0 | c >> 12));
      utf8.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return utf8;
}

}  // namespace glyphs
