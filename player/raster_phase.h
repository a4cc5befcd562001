#pragma once

#include <cmath>

namespace player {

// Rasterisations kept for reuse are made at a sixteenth of a pixel of position, which no eye
// tells apart, and painted at whole pixels from there.
constexpr double kRasterPhases = 16.0;

// Splits a device coordinate into whole pixels and a phase in sixteenths.
inline void SplitRasterPhase(double value, int& whole, int& phase) {
  const double floor = std::floor(value);
  whole = static_cast<int>(floor);
  phase = static_cast<int>(std::lround((value - floor) * kRasterPhases));
  if (phase == static_cast<int>(kRasterPhases)) {
    ++whole;
    phase = 0;
  }
}

}  // namespace player
