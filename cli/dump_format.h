#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "swftk/records.h"

namespace zarn::cli {

// How the dump shows the records that many tags share.

// "x 0..11000 y 0..8000" (twips).
std::string FormatRect(const swftk::CSwfRect& rect);
// "matrix (sx 1.5 sy 1.5 r0 0.25 r1 -0.25 tx 200 ty 300)": a scale other than 1 and the skew
// only when present.
std::string FormatMatrix(const swftk::CSwfMatrix& matrix);
// "#RRGGBB", or "#RRGGBBAA" for a colour with alpha.
std::string FormatColor(const swftk::CSwfColor& color);
// "cxform (mult 1 1 1 0.5 add 0 0 0 0)": the alpha terms when the transform has them, a group
// of zero terms left out, "cxform (none)" when both are.
std::string FormatColorTransform(const swftk::CSwfColorTransform& transform);
// A fixed-point value with the given number of fraction bits as a short decimal.
std::string FormatFixed(int64_t value, int fractionBits);
// The text in double quotes; quotes, backslashes and unprintable bytes escaped.
std::string Quoted(std::string_view text);
// "0x00FF"-style hexadecimal of the given digit count.
std::string Hex(uint32_t value, int digits);
// Up to limit bytes as "05 00 6C", with "..." when more follow.
std::string HexBytes(const std::vector<uint8_t>& bytes, size_t limit);
// "1 frame", "2 frames".
std::string Counted(size_t count, std::string_view singular, std::string_view plural);
// The names of the bits set in flags, separated by spaces, from a table of (bit, name).
struct FlagName {
  uint32_t bit;
  const char* name;
};
std::string FlagNames(uint32_t flags, const std::vector<FlagName>& names);

}  // namespace zarn::cli
