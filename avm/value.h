#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace avm {

// A value on the action stack or in a variable, as version-4 scripts see it: a number or a
// string, or undefined and null when a later-version push gives them. Booleans are numbers
// 1 and 0.
class Value {
 public:
  enum class Type : uint8_t { kUndefined, kNull, kNumber, kString };

  Value() = default;
  Value(double number) : type_(Type::kNumber), number_(number) {}  // NOLINT: numbers are values
  Value(std::string text) : type_(Type::kString), text_(std::move(text)) {}  // NOLINT
  Value(const char* text) : Value(std::string(text)) {}                      // NOLINT
  static Value Null() {
    Value value;
    value.type_ = Type::kNull;
    return value;
  }

  Type GetType() const { return type_; }
  bool IsUndefined() const { return type_ == Type::kUndefined; }
  bool IsString() const { return type_ == Type::kString; }
  // Strings read as their leading decimal number (0 when they have none); undefined and null
  // as 0.
  double ToNumber() const;
  // The number a display property accepts: a number, or a text that is wholly a number;
  // nothing for undefined, null and other texts, which leave the property as it is.
  std::optional<double> ToPropertyNumber() const;
  // Numbers as Flash writes them ("5", "0.5", "1e-7", "NaN"); undefined as "".
  std::string ToString() const;
  // As trace prints it: undefined shows as "undefined".
  std::string ToTraceString() const;
  // A string's text as it stands, or the string form of anything else.
  const std::string& Text() const { return text_; }
  bool operator==(const Value&) const = default;

 private:
  Type type_ = Type::kUndefined;
  double number_ = 0;
  std::string text_;
};

// The number a version-4 script reads from a text: optional spaces, sign, digits, point,
// fraction and exponent, stopping at the first character that does not fit; 0 when none.
double ParseNumber(std::string_view text);
// The same, also giving where the number ends (0 when there is none).
double ParseNumberPrefix(std::string_view text, size_t& end);
// Fifteen significant digits, no trailing zeros, exponent form below 1e-5 and from 1e15.
std::string FormatNumber(double number);
// ToNumber of a value rounded towards zero; 0 for what is not finite.
int64_t ToInteger(double number);

}  // namespace avm
