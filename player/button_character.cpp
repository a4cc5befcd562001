#include "player/button_character.h"

#include "swftk/button.h"

namespace player {

CKV_ButtonCharacter::CKV_ButtonCharacter(const swftk::CSwfDefineButton& button)
    : CKV_Character(button.characterId, CharacterKind::kButton) {
  for (const auto& source : button.records) {
    Record record{source->states, source->characterId, source->depth, {}, {}};
    if (source->matrix) record.matrix = Transform2D::FromSwf(*source->matrix);
    if (source->colorTransform)
      record.colorTransform = ColorTransform::FromSwf(*source->colorTransform);
    records.push_back(record);
  }
}

}  // namespace player
