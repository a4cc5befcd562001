#pragma once

#include "player/character.h"
#include "player/timeline.h"

namespace player {

// DefineSprite: a character with a timeline of its own.
class CKV_SpriteCharacter : public CKV_Character {
 public:
  CKV_SpriteCharacter(uint16_t id, CKV_Timeline timeline)
      : CKV_Character(id, CharacterKind::kSprite), timeline(std::move(timeline)) {}

  CKV_Timeline timeline;
};

}  // namespace player
