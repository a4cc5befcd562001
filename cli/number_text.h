#pragma once

#include <string_view>

namespace zarn::cli {

// Whether an option's text is a number as a person writes one: an optional sign and decimal
// digits, and for a decimal also one point ("12", "-3", "12.5", ".5"). Exponents, hexadecimal,
// trailing letters, "inf" and "nan" are not numbers here, though the C library reads them.
bool IsWholeNumber(std::string_view text);
bool IsDecimalNumber(std::string_view text);

}  // namespace zarn::cli
