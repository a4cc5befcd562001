#include "cli/dump_format.h"
#include "swftk/units.h"

#include <algorithm>
#include <cstdio>

namespace zarn::cli {

std::string FormatRect(const swftk::CSwfRect& rect) {
  return "x " + std::to_string(rect.xMin) + ".." + std::to_string(rect.xMax) + " y " +
         std::to_string(rect.yMin) + ".." + std::to_string(rect.yMax);
}

std::string FormatMatrix(const swftk::CSwfMatrix& matrix) {
  std::string text = "matrix (";
  const bool unitScale = matrix.scaleX == swftk::kFixedOne && matrix.scaleY == swftk::kFixedOne;
  if ((matrix.flags & swftk::CSwfMatrix::kHasScale) && !unitScale) {
    text += "sx " + FormatFixed(matrix.scaleX, 16) + " sy " + FormatFixed(matrix.scaleY, 16) + " ";
  }
  if (matrix.flags & swftk::CSwfMatrix::kHasRotate) {
    text += "r0 " + FormatFixed(matrix.rotateSkew0, 16) + " r1 " +
            FormatFixed(matrix.rotateSkew1, 16) + " ";
  }
  return text + "tx " + std::to_string(matrix.translateX) + " ty " +
         std::to_string(matrix.translateY) + ")";
}

std::string FormatColor(const swftk::CSwfColor& color) {
  std::string text = "#";
  text += Hex(color.red, 2);
  text += Hex(color.green, 2);
  text += Hex(color.blue, 2);
  if (color.HasAlpha()) text += Hex(static_cast<const swftk::CSwfColorAlpha&>(color).alpha, 2);
  return text;
}

std::string FormatColorTransform(const swftk::CSwfColorTransform& transform) {
  std::vector<int32_t> mults = {transform.redMult, transform.greenMult, transform.blueMult};
  std::vector<int32_t> adds = {transform.redAdd, transform.greenAdd, transform.blueAdd};
  if (const auto* withAlpha = dynamic_cast<const swftk::CSwfColorTransformAlpha*>(&transform)) {
    mults.push_back(withAlpha->alphaMult);
    adds.push_back(withAlpha->alphaAdd);
  }
  // A group of zero terms is not written, which leaves the colours as they are.
  const auto allZero = [](const std::vector<int32_t>& terms) {
    return std::all_of(terms.begin(), terms.end(), [](int32_t term) { return term == 0; });
  };
  std::string text;
  if (!allZero(mults)) {
    text += "mult";
    for (const int32_t term : mults) {
      text += ' ';
      text += FormatFixed(term, 8);
    }
  }
  if (!allZero(adds)) {
    if (!text.empty()) text += ' ';
    text += "add";
    for (const int32_t term : adds) {
      text += ' ';
      text += std::to_string(term);
    }
  }
  if (text.empty()) text = "none";
  return "cxform (" + text + ")";
}

std::string FormatFixed(int64_t value, int fractionBits) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g",
                static_cast<double>(value) / static_cast<double>(int64_t{1} << fractionBits));
  return text;
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      quoted += "\\x";
      quoted += Hex(byte, 2);
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string Hex(uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0 && value != 0; --i, value >>= 4) {
    text[static_cast<size_t>(i)] = kDigits[value & 15U];
  }
  return text;
}

std::string HexBytes(const std::vector<uint8_t>& bytes, size_t limit) {
  std::string text;
  for (size_t i = 0; i < bytes.size() && i < limit; ++i) {
    if (i > 0) text += ' ';
    text += Hex(bytes[i], 2);
  }
  if (bytes.size() > limit) text += " ...";
  return text;
}

std::string Counted(size_t count, std::string_view singular, std::string_view plural) {
  return std::to_string(count) + " " + std::string(count == 1 ? singular : plural);
}

std::string FlagNames(uint32_t flags, const std::vector<FlagName>& names) {
  std::string text;
  for (const FlagName& name : names) {
    if ((flags & name.bit) == 0) continue;
    if (!text.empty()) text += ' ';
    text += name.name;
  }
  return text;
}

}  // namespace zarn::cli
