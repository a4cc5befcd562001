#pragma once

#include "player/character.h"
#include "player/transform.h"

namespace player {

class CKV_CharacterTable;
class CKV_Instance;

// The map from an instance's own coordinates to the stage's, through every parent.
Transform2D StageTransformOf(const CKV_Instance& instance);

// The box around what an instance draws, in its own coordinates; empty (all zero) when it
// draws nothing.
TwipsRect ContentBounds(const CKV_Instance& instance, const CKV_CharacterTable& characters);

// The box around what a character draws when placed: a shape's, text's or field's bounds, or
// for a sprite what its first frame places, as far as kMaxNesting levels down.
TwipsRect CharacterBounds(const CKV_Character& character, const CKV_CharacterTable& characters);

// A box mapped through a transform and boxed again.
TwipsRect MapRect(const Transform2D& transform, const TwipsRect& rect);

}  // namespace player
