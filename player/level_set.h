#pragma once

#include <cstddef>
#include <map>
#include <memory>

#include "player/player.h"

namespace player {

// The movies stacked in one stage, one per level, drawn from the lowest level up. The base
// movie (level 0, or the lowest level while level 0 is empty) gives the stage its size,
// frame rate and colour.
class CKV_LevelSet {
 public:
  struct Level {
    std::unique_ptr<CKV_Player> player;
    // The player's warnings already passed on.
    size_t warningsTold = 0;
  };
  using Levels = std::map<int, Level>;

  // Levels as a script or caller may number them.
  static constexpr int kMaxLevel = 16000;

  // Puts a movie in a level, unloading what was there; a movie in level 0 unloads every level,
  // since the base movie starts the stage afresh. Levels outside 0..kMaxLevel are refused.
  bool Put(int level, std::unique_ptr<CKV_Player> player);
  void Remove(int level);
  void Clear() { levels_.clear(); }

  CKV_Player* Find(int level) const;
  CKV_Player* Base() const;
  const Levels& All() const { return levels_; }
  Levels& All() { return levels_; }

  static bool Valid(int level) { return level >= 0 && level <= kMaxLevel; }

 private:
  Levels levels_;
};

}  // namespace player
