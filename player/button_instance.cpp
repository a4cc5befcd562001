#include "player/button_instance.h"

#include "player/button_character.h"

namespace player {

CKV_ButtonInstance::CKV_ButtonInstance(const CKV_ButtonCharacter& button, CKV_PlayContext& context,
                                       int nesting)
    : CKV_Instance(&button, context, nesting), button_(button) {}

void CKV_ButtonInstance::Enter(CKV_PlayContext& context) {
  for (const CKV_ButtonCharacter::Record& record : button_.records) {
    if (!(record.states & CKV_ButtonCharacter::kUp)) continue;
    DisplayEntry entry;
    entry.placement.characterId = record.characterId;
    entry.placement.matrix = record.matrix;
    entry.placement.colorTransform = record.colorTransform;
    entry.placement.placedAt = 1;
    // Of two records at one depth the first stands.
    children_.try_emplace(record.depth, std::move(entry));
  }
  MakeInstances(children_, context, Nesting());
}

void CKV_ButtonInstance::Tick(CKV_PlayContext& context) {
  TickInstances(children_, context);
}

}  // namespace player
