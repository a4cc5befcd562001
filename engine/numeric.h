#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace engine {

// A real truncated toward zero, as a C cast does, but saturating at the ends of the range and
// giving 0 for a value that is not a number, so that odd template values never overflow.
inline int32_t TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace engine
