#pragma once

#include <memory>
#include <string>
#include <vector>

#include "player/instance.h"
#include "player/text_character.h"

namespace player {

class CKV_EditTextCharacter;
class CKV_FontCharacter;

// A text field and the text it shows, which starts as the field's initial text.
class CKV_EditTextInstance : public CKV_Instance {
 public:
  CKV_EditTextInstance(const CKV_EditTextCharacter& field, CKV_PlayContext& context, int nesting);

  const CKV_EditTextCharacter& Field() const { return field_; }
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // The text laid out in a font, kept until the text or the font changes. The font is held
  // while the layout points into it.
  const std::vector<PlacedGlyph>& Glyphs(std::shared_ptr<const CKV_FontCharacter> font) const;

 private:
  const CKV_EditTextCharacter& field_;
  std::string text_;
  mutable std::vector<PlacedGlyph> glyphs_;
  mutable std::shared_ptr<const CKV_FontCharacter> laidOutWith_;
};

}  // namespace player
