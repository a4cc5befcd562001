#pragma once

#include <string>
#include <string_view>

namespace avm {

// Version-4 names compare without regard to ASCII case.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
std::string LowerAscii(std::string_view text);

}  // namespace avm
