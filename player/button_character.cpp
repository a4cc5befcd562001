#include "player/button_character.h"

#include "player/script_bytes.h"
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
  // A DefineButton's one list runs on release inside, as DefineButton2's usual condition.
  const auto* button2 = dynamic_cast<const swftk::CSwfDefineButton2*>(&button);
  for (size_t i = 0; i < button.actions.size(); ++i) {
    const uint16_t transitions =
        !button2 ? uint16_t{kOverDownToOverUp}
                 : (i < button2->conditions.size() ? button2->conditions[i] : uint16_t{0});
    actions.push_back({transitions, ScriptBytesOf(*button.actions[i])});
  }
}

}  // namespace player
