#include "player/text_character.h"

#include "player/character_table.h"
#include "player/font_character.h"
#include "player/paint_style.h"
#include "swftk/text.h"

namespace player {

CKV_TextCharacter::CKV_TextCharacter(const swftk::CSwfDefineText& text,
                                     const CKV_CharacterTable& fonts)
    : CKV_Character(text.characterId, CharacterKind::kText) {
  if (text.bounds)
    bounds = {static_cast<double>(text.bounds->xMin), static_cast<double>(text.bounds->yMin),
              static_cast<double>(text.bounds->xMax), static_cast<double>(text.bounds->yMax)};
  const Transform2D matrix = text.matrix ? Transform2D::FromSwf(*text.matrix) : Transform2D{};
  const CKV_FontCharacter* font = nullptr;
  double height = 0;
  Rgba color{0, 0, 0, 255};
  double x = 0;
  double y = 0;
  for (const auto& record : text.records) {
    if (const auto* style = dynamic_cast<const swftk::CSwfTextStyleChangeRecord*>(record.get())) {
      // What the record's flags leave out stays as it was.
      const uint8_t flags = style->firstByte;
      if (flags & swftk::CSwfTextStyleChangeRecord::kHasFont) {
        font = fonts.FindFont(style->fontId);
        height = style->textHeight;
      }
      if ((flags & swftk::CSwfTextStyleChangeRecord::kHasColor) && style->color)
        color = ColorFromSwf(style->color.get());
      if (flags & swftk::CSwfTextStyleChangeRecord::kHasXOffset) x = style->xOffset;
      if (flags & swftk::CSwfTextStyleChangeRecord::kHasYOffset) y = style->yOffset;
      continue;
    }
    const auto* run = dynamic_cast<const swftk::CSwfTextGlyphRecord*>(record.get());
    if (!run) continue;
    const double scale = height / CKV_FontCharacter::kEmSquare;
    for (const auto& entry : run->entries) {
      if (font && entry.glyphIndex >= 0 &&
          static_cast<size_t>(entry.glyphIndex) < font->glyphs.size()) {
        glyphs.push_back({&font->glyphs[entry.glyphIndex],
                          matrix * Transform2D{scale, 0, 0, scale, x, y}, color});
      }
      x += entry.advance;
    }
  }
}

}  // namespace player
