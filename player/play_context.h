#pragma once

#include <cstddef>
#include <cstdint>

#include "player/warning_list.h"

namespace player {

class CKV_Movie;

// What every instance of one playing movie shares: the movie, the frame clock, the bounds
// on what a file can make the player build, and the warnings met while playing.
class CKV_PlayContext {
 public:
  // Sprites inside sprites beyond this depth are not made, so a sprite that places itself
  // ends.
  static constexpr int kMaxNesting = 32;
  // Objects alive at once, over all display lists.
  static constexpr size_t kMaxInstances = 20000;
  // Frame script runs one timeline may make in one frame, so scripts that jump back and
  // forth end.
  static constexpr int kMaxActionRunsPerFrame = 64;

  explicit CKV_PlayContext(const CKV_Movie& movie) : movie(movie) {}
  CKV_PlayContext(const CKV_PlayContext&) = delete;
  CKV_PlayContext& operator=(const CKV_PlayContext&) = delete;

  const CKV_Movie& movie;
  // Counts the frames the movie has advanced; 0 while it shows its first.
  uint64_t tick = 0;
  size_t liveInstances = 0;
  CKV_WarningList warnings;
};

}  // namespace player
