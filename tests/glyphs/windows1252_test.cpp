#include "glyphs/windows1252.h"

#include <gtest/gtest.h>

namespace glyphs {
namespace {

TEST(Windows1252, MapsCodesToUnicode) {
  const struct {
    uint8_t code;
    char32_t character;
  } cases[] = {
      {0x41, U'A'},   {0x7F, 0x7F},   {0x80, 0x20AC},  // euro sign
      {0x8A, 0x0160}, {0x99, 0x2122}, {0x9F, 0x0178},  // S caron, trade mark, Y diaeresis
      {0x81, 0x81},   {0x9D, 0x9D},                    // undefined: the C1 control
      {0xA0, 0xA0},   {0xE9, 0xE9},   {0xFF, 0xFF},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Windows1252ToUnicode(c.code), c.character) << "code " << int(c.code);
  }
}

TEST(Windows1252, PrintableCodesLeaveOutControlsAndUndefinedCodes) {
  int printable = 0;
  for (int code = 0; code < 256; ++code) printable += IsPrintableWindows1252(code) ? 1 : 0;
  // 95 ASCII, 27 of the 32 codes from 0x80, 96 from 0xA0.
  EXPECT_EQ(printable, 95 + 27 + 96);
  for (const uint8_t code : {0x00, 0x0D, 0x1F, 0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_FALSE(IsPrintableWindows1252(code)) << "code " << int(code);
  }
  for (const uint8_t code : {0x20, 0x7E, 0x80, 0x9F, 0xA0, 0xFF}) {
    EXPECT_TRUE(IsPrintableWindows1252(code)) << "code " << int(code);
  }
}

}  // namespace
}  // namespace glyphs
