#pragma once

namespace player {

// Turns the time that passed into whole frames at a movie's rate. A slow caller gets at most
// a few frames of catch-up per tick and the rest of the backlog is dropped, so a stalled
// window does not race through the movie when it wakes.
class CKV_FrameClock {
 public:
  static constexpr double kMinRate = 0.5;
  static constexpr double kMaxRate = 120.0;
  static constexpr double kDefaultRate = 12.0;
  static constexpr int kMaxCatchUp = 3;

  // Rates outside kMinRate..kMaxRate are clamped; a rate that is not a number plays at
  // kDefaultRate. The time already gathered toward the next frame is dropped.
  void SetRate(double framesPerSecond);
  double Rate() const { return rate_; }
  // The frames due after elapsed seconds more; negative or non-finite times count as none.
  int Tick(double elapsedSeconds);
  void Reset() { pending_ = 0; }

 private:
  double rate_ = kDefaultRate;
  // Seconds gathered toward the next frame.
  double pending_ = 0;
};

}  // namespace player
