#include "cli/number_text.h"

#include <algorithm>
#include <cctype>

namespace zarn::cli {
namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

std::string_view WithoutSign(std::string_view text) {
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  return text;
}

}  // namespace

bool IsWholeNumber(std::string_view text) {
  const std::string_view digits = WithoutSign(text);
  return !digits.empty() && AllDigits(digits);
}

bool IsDecimalNumber(std::string_view text) {
  const std::string_view number = WithoutSign(text);
  const size_t point = number.find('.');
  if (point == std::string_view::npos) return !number.empty() && AllDigits(number);
  const std::string_view whole = number.substr(0, point);
  const std::string_view fraction = number.substr(point + 1);
  return !(whole.empty() && fraction.empty()) && AllDigits(whole) && AllDigits(fraction);
}

}  // namespace zarn::cli
