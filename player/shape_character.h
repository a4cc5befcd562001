#pragma once

#include "player/character.h"
#include "player/shape_outline.h"

namespace player {

// DefineShape, DefineShape2 and DefineShape3.
class CKV_ShapeCharacter : public CKV_Character {
 public:
  CKV_ShapeCharacter(uint16_t id, TwipsRect bounds, ShapeOutline outline)
      : CKV_Character(id, CharacterKind::kShape), bounds(bounds), outline(std::move(outline)) {}

  TwipsRect bounds;
  ShapeOutline outline;
};

}  // namespace player
