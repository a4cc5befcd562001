#include "player/frame_clock.h"

#include <algorithm>
#include <cmath>

namespace player {

void CKV_FrameClock::SetRate(double framesPerSecond) {
  rate_ =
      std::isnan(framesPerSecond) ? kDefaultRate : std::clamp(framesPerSecond, kMinRate, kMaxRate);
  pending_ = 0;
}

int CKV_FrameClock::Tick(double elapsedSeconds) {
  if (!std::isfinite(elapsedSeconds) || elapsedSeconds <= 0) return 0;
  const double interval = 1.0 / rate_;
  pending_ += std::min(elapsedSeconds, interval * (kMaxCatchUp + 1));
  // A hair of tolerance, so that ticks of exactly one interval are never a frame short.
  const int due = static_cast<int>(std::floor(pending_ / interval + 1e-9));
  if (due > kMaxCatchUp) {
    pending_ = 0;
    return kMaxCatchUp;
  }
  pending_ = std::max(0.0, pending_ - due * interval);
  return due;
}

}  // namespace player
