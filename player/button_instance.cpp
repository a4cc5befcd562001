#include "player/button_instance.h"

#include "player/button_character.h"
#include "player/clip_geometry.h"
#include "player/movie.h"
#include "player/play_context.h"
#include "player/script_host.h"
#include "player/sprite_instance.h"

namespace player {

CKV_ButtonInstance::CKV_ButtonInstance(const CKV_ButtonCharacter& button, CKV_PlayContext& context,
                                       int nesting)
    : CKV_Instance(&button, context, nesting), button_(button) {}

void CKV_ButtonInstance::Enter(CKV_PlayContext& context) {
  Show(context, CKV_ButtonCharacter::kUp);
}

void CKV_ButtonInstance::Tick(CKV_PlayContext& context) {
  TickInstances(children_, context);
}

void CKV_ButtonInstance::Show(CKV_PlayContext& context, uint8_t state) {
  if (state == state_) return;
  state_ = state;
  DisplayList shown;
  for (const CKV_ButtonCharacter::Record& record : button_.records) {
    if (!(record.states & state)) continue;
    DisplayEntry entry;
    entry.placement.characterId = record.characterId;
    entry.placement.matrix = record.matrix;
    entry.placement.colorTransform = record.colorTransform;
    entry.placement.placedAt = 1;
    // Of two records at one depth the first stands.
    shown.try_emplace(record.depth, std::move(entry));
  }
  KeepMatchingInstances(children_, shown);
  children_.swap(shown);
  MakeInstances(children_, context, *this);
}

bool CKV_ButtonInstance::Hits(double x, double y, const CKV_PlayContext& context) const {
  for (const CKV_ButtonCharacter::Record& record : button_.records) {
    if (!(record.states & CKV_ButtonCharacter::kHitTest)) continue;
    const CKV_Character* character = context.movie.characters.Find(record.characterId);
    Transform2D inverse;
    if (!character || !record.matrix.Invert(inverse)) continue;
    const double localX = inverse.a * x + inverse.c * y + inverse.tx;
    const double localY = inverse.b * x + inverse.d * y + inverse.ty;
    const TwipsRect box = CharacterBounds(*character, context.movie.characters);
    if (localX >= box.xMin && localX <= box.xMax && localY >= box.yMin && localY <= box.yMax)
      return true;
  }
  return false;
}

void CKV_ButtonInstance::Fire(CKV_PlayContext& context, uint16_t transitions) {
  CKV_Instance* timeline = Parent();
  while (timeline && !dynamic_cast<CKV_SpriteInstance*>(timeline)) timeline = timeline->Parent();
  if (!timeline) return;
  for (const CKV_ButtonCharacter::Action& action : button_.actions)
    if (action.transitions & transitions) context.scripts->Queue(timeline->Handle(), action.script);
}

}  // namespace player
