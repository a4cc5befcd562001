#pragma once

#include <vector>

#include "player/character.h"
#include "player/shape_outline.h"
#include "player/transform.h"

namespace swftk {
class CSwfDefineText;
}

namespace player {

class CKV_CharacterTable;

// One glyph of a text, ready to draw: its outline, where it goes and its colour.
struct PlacedGlyph {
  const ShapeOutline* outline = nullptr;
  // Glyph em units to the character's twips.
  Transform2D transform;
  Rgba color;
};

// DefineText and DefineText2: glyph runs of fonts defined before the text.
class CKV_TextCharacter : public CKV_Character {
 public:
  // Glyphs whose font or glyph index does not exist are left out.
  CKV_TextCharacter(const swftk::CSwfDefineText& text, const CKV_CharacterTable& fonts);

  TwipsRect bounds;
  std::vector<PlacedGlyph> glyphs;
};

}  // namespace player
