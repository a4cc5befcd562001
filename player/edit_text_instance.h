#pragma once

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
  // The text laid out in a font, kept until the text or the font changes.
  const std::vector<PlacedGlyph>& Glyphs(const CKV_FontCharacter& font) const;

 private:
  const CKV_EditTextCharacter& field_;
  std::string text_;
  mutable std::vector<PlacedGlyph> glyphs_;
  mutable const CKV_FontCharacter* laidOutWith_ = nullptr;
};

}  // namespace player
