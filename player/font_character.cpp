#include "player/font_character.h"

#include <algorithm>

#include "swftk/font.h"

namespace player {
namespace {

double RightmostPoint(const ShapeOutline& outline) {
  double right = 0;
  for (const DrawItem& item : outline.items)
    for (const PathPoint& point : item.path.points) right = std::max(right, point.x);
  return right;
}

void AddGlyphs(const std::vector<std::unique_ptr<swftk::CSwfShape>>& shapes,
               CKV_FontCharacter& font) {
  for (const auto& shape : shapes) {
    font.glyphs.push_back(BuildGlyphOutline(*shape));
    font.glyphRight.push_back(RightmostPoint(font.glyphs.back()));
  }
}

}  // namespace

CKV_FontCharacter::CKV_FontCharacter(const swftk::CSwfDefineFont& font)
    : CKV_Character(font.characterId, CharacterKind::kFont) {
  AddGlyphs(font.glyphs, *this);
}

CKV_FontCharacter::CKV_FontCharacter(const swftk::CSwfDefineFont2& font)
    : CKV_Character(font.characterId, CharacterKind::kFont),
      name(font.name),
      bold((font.flags & swftk::CSwfDefineFont2::kBold) != 0),
      italic((font.flags & swftk::CSwfDefineFont2::kItalic) != 0),
      codes(font.codes) {
  AddGlyphs(font.glyphs, *this);
  hasLayout = (font.flags & swftk::CSwfDefineFont2::kHasLayout) != 0;
  if (!hasLayout) return;
  ascent = font.ascent;
  descent = font.descent;
  // Leading is signed in the format; the toolkit keeps the bits.
  leading = static_cast<int16_t>(font.leading);
  advances.assign(font.advances.begin(), font.advances.end());
}

void CKV_FontCharacter::TakeInfo(const swftk::CSwfDefineFontInfo& info) {
  name = info.name;
  bold = (info.flags & swftk::CSwfDefineFontInfo::kBold) != 0;
  italic = (info.flags & swftk::CSwfDefineFontInfo::kItalic) != 0;
  codes = info.codes;
}

int CKV_FontCharacter::GlyphForCode(uint16_t code) const {
  const size_t count = std::min(codes.size(), glyphs.size());
  for (size_t i = 0; i < count; ++i)
    if (codes[i] == code) return static_cast<int>(i);
  return -1;
}

double CKV_FontCharacter::Advance(int glyph) const {
  if (glyph < 0 || static_cast<size_t>(glyph) >= glyphs.size()) return 0;
  if (hasLayout && static_cast<size_t>(glyph) < advances.size()) return advances[glyph];
  return glyphRight[glyph];
}

}  // namespace player
