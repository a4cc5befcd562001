#pragma once

#include <string>
#include <vector>

#include "player/character.h"
#include "player/shape_outline.h"
#include "swftk/units.h"

namespace swftk {
class CSwfDefineFont;
class CSwfDefineFont2;
class CSwfDefineFontInfo;
}  // namespace swftk

namespace player {

// A font's glyph outlines in a 1024-unit em square, with the character codes and the layout
// that DefineFont2 (or DefineFontInfo for a DefineFont) gives them.
class CKV_FontCharacter : public CKV_Character {
 public:
  static constexpr double kEmSquare = swftk::kGlyphCellUnits;

  explicit CKV_FontCharacter(const swftk::CSwfDefineFont& font);
  explicit CKV_FontCharacter(const swftk::CSwfDefineFont2& font);
  // An empty font of no id, for the system's fonts.
  CKV_FontCharacter(std::string name, bool bold, bool italic)
      : CKV_Character(0, CharacterKind::kFont), name(std::move(name)), bold(bold), italic(italic) {}

  // Names the glyphs of a DefineFont with character codes.
  void TakeInfo(const swftk::CSwfDefineFontInfo& info);
  // The glyph that draws a character code, or -1.
  int GlyphForCode(uint16_t code) const;
  // A glyph's advance in em units; without layout, the glyph's own width.
  double Advance(int glyph) const;

  std::string name;
  bool bold = false;
  bool italic = false;
  std::vector<ShapeOutline> glyphs;
  std::vector<uint16_t> codes;
  // Layout in em units, present with DefineFont2's layout flag.
  bool hasLayout = false;
  double ascent = 0;
  double descent = 0;
  double leading = 0;
  std::vector<double> advances;
  // Ink extents of each glyph, for fonts without layout.
  std::vector<double> glyphRight;
};

}  // namespace player
