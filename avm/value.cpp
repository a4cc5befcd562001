#include "avm/value.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace avm {

double Value::ToNumber() const {
  switch (type_) {
    case Type::kNumber:
      return number_;
    case Type::kString:
      return ParseNumber(text_);
    case Type::kUndefined:
    case Type::kNull:
      break;
  }
  return 0;
}

std::optional<double> Value::ToPropertyNumber() const {
  if (type_ == Type::kNumber) return number_;
  if (type_ != Type::kString) return std::nullopt;
  size_t end = 0;
  const double number = ParseNumberPrefix(text_, end);
  while (end < text_.size() && std::isspace(static_cast<unsigned char>(text_[end]))) ++end;
  if (end == 0 || end != text_.size()) return std::nullopt;
  return number;
}

std::string Value::ToString() const {
  switch (type_) {
    case Type::kNumber:
      return FormatNumber(number_);
    case Type::kString:
      return text_;
    case Type::kNull:
      return "null";
    case Type::kUndefined:
      break;
  }
  return {};
}

std::string Value::ToTraceString() const {
  return type_ == Type::kUndefined ? "undefined" : ToString();
}

double ParseNumber(std::string_view text) {
  size_t end = 0;
  return ParseNumberPrefix(text, end);
}

double ParseNumberPrefix(std::string_view text, size_t& end) {
  end = 0;
  size_t at = 0;
  const auto digitsFrom = [&text](size_t from) {
    size_t stop = from;
    while (stop < text.size() && std::isdigit(static_cast<unsigned char>(text[stop]))) ++stop;
    return stop;
  };
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  const size_t start = at;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  const size_t intEnd = digitsFrom(at);
  end = intEnd;
  bool anyDigit = intEnd > at;
  if (end < text.size() && text[end] == '.') {
    const size_t fracEnd = digitsFrom(end + 1);
    anyDigit = anyDigit || fracEnd > end + 1;
    end = fracEnd;
  }
  if (!anyDigit) {
    end = 0;
    return 0;
  }
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    size_t exp = end + 1;
    if (exp < text.size() && (text[exp] == '-' || text[exp] == '+')) ++exp;
    if (const size_t expEnd = digitsFrom(exp); expEnd > exp) end = expEnd;
  }
  // strtod reads exactly the prefix checked above: no hex, no "inf" and no "nan".
  const std::string prefix(text.substr(start, end - start));
  return std::strtod(prefix.c_str(), nullptr);
}

std::string FormatNumber(double number) {
  if (std::isnan(number)) return "NaN";
  if (std::isinf(number)) return number > 0 ? "Infinity" : "-Infinity";
  if (number == 0) return "0";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", number);
  std::string text(buffer);
  // C writes at least two exponent digits ("1e-07"); Flash writes as many as needed.
  if (const size_t e = text.find('e'); e != std::string::npos) {
    size_t digits = e + 2;
    while (digits + 1 < text.size() && text[digits] == '0') text.erase(digits, 1);
  }
  return text;
}

int64_t ToInteger(double number) {
  if (!std::isfinite(number)) return 0;
  constexpr double kLimit = static_cast<double>(std::numeric_limits<int64_t>::max() / 2);
  return static_cast<int64_t>(std::trunc(std::clamp(number, -kLimit, kLimit)));
}

}  // namespace avm
