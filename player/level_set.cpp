#include "player/level_set.h"

#include "player/player.h"

namespace player {

bool CKV_LevelSet::Put(int level, std::unique_ptr<CKV_Player> player) {
  if (!Valid(level) || !player) return false;
  if (level == 0) levels_.clear();
  levels_[level] = Level{std::move(player)};
  return true;
}

void CKV_LevelSet::Remove(int level) {
  levels_.erase(level);
}

CKV_Player* CKV_LevelSet::Find(int level) const {
  const auto found = levels_.find(level);
  return found == levels_.end() ? nullptr : found->second.player.get();
}

CKV_Player* CKV_LevelSet::Base() const {
  return levels_.empty() ? nullptr : levels_.begin()->second.player.get();
}

}  // namespace player
