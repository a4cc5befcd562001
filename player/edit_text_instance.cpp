#include "player/edit_text_instance.h"

#include "player/edit_text_character.h"
#include "player/text_layout.h"

namespace player {

CKV_EditTextInstance::CKV_EditTextInstance(const CKV_EditTextCharacter& field,
                                           CKV_PlayContext& context, int nesting)
    : CKV_Instance(&field, context, nesting), field_(field), text_(field.initialText) {}

void CKV_EditTextInstance::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  laidOutWith_ = nullptr;
}

const std::vector<PlacedGlyph>& CKV_EditTextInstance::Glyphs(
    std::shared_ptr<const CKV_FontCharacter> font) const {
  if (laidOutWith_ != font) {
    glyphs_ = LayOutFieldText(field_, *font, DisplayedFieldText(field_, text_));
    laidOutWith_ = std::move(font);
  }
  return glyphs_;
}

}  // namespace player
