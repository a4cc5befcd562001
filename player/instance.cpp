#include "player/instance.h"

#include <string>
#include <vector>

#include "player/button_character.h"
#include "player/button_instance.h"
#include "player/edit_text_character.h"
#include "player/edit_text_instance.h"
#include "player/movie.h"
#include "player/play_context.h"
#include "player/sprite_character.h"
#include "player/sprite_instance.h"

namespace player {
namespace {

std::unique_ptr<CKV_Instance> CreateInstance(uint16_t characterId, CKV_PlayContext& context,
                                             int nesting) {
  const CKV_Character* character = context.movie.characters.Find(characterId);
  if (!character) {
    context.warnings.Add("character " + std::to_string(characterId) +
                         " is placed but never defined");
    return nullptr;
  }
  if (nesting > CKV_PlayContext::kMaxNesting) {
    context.warnings.Add("sprites nested deeper than " +
                         std::to_string(CKV_PlayContext::kMaxNesting) + " levels are not shown");
    return nullptr;
  }
  if (context.liveInstances >= CKV_PlayContext::kMaxInstances) {
    context.warnings.Add("more than " + std::to_string(CKV_PlayContext::kMaxInstances) +
                         " objects at once; the rest are not shown");
    return nullptr;
  }
  switch (character->Kind()) {
    case CharacterKind::kSprite:
      return std::make_unique<CKV_SpriteInstance>(
          character, static_cast<const CKV_SpriteCharacter*>(character)->timeline, context,
          nesting);
    case CharacterKind::kButton:
      return std::make_unique<CKV_ButtonInstance>(
          *static_cast<const CKV_ButtonCharacter*>(character), context, nesting);
    case CharacterKind::kEditText:
      return std::make_unique<CKV_EditTextInstance>(
          *static_cast<const CKV_EditTextCharacter*>(character), context, nesting);
    case CharacterKind::kShape:
    case CharacterKind::kMorphShape:
    case CharacterKind::kText:
      return std::make_unique<CKV_Instance>(character, context, nesting);
    case CharacterKind::kFont:
    case CharacterKind::kBitmap:
      break;
  }
  context.warnings.Add("character " + std::to_string(characterId) +
                       " is placed but is not a displayable kind");
  return nullptr;
}

}  // namespace

CKV_Instance::CKV_Instance(const CKV_Character* character, CKV_PlayContext& context, int nesting)
    : character_(character), context_(context), nesting_(nesting), madeOnTick_(context.tick) {
  ++context_.liveInstances;
  handle_->instance = this;
}

CKV_Instance::~CKV_Instance() {
  handle_->instance = nullptr;
  --context_.liveInstances;
}

CKV_Instance* InstanceOf(const avm::Target& target) {
  const auto* handle = dynamic_cast<const CKV_ClipHandle*>(target.get());
  return handle ? handle->instance : nullptr;
}

CKV_SpriteInstance* ClipOf(const avm::Target& target) {
  return dynamic_cast<CKV_SpriteInstance*>(InstanceOf(target));
}

DisplayEntry* CKV_Instance::OwnEntry() const {
  if (!parent_) return nullptr;
  DisplayList* siblings = parent_->Children();
  if (!siblings) return nullptr;
  const auto found = siblings->find(depth_);
  return found != siblings->end() && found->second.instance.get() == this ? &found->second
                                                                          : nullptr;
}

void MakeInstances(DisplayList& list, CKV_PlayContext& context, CKV_Instance& owner) {
  for (auto& [depth, entry] : list) {
    if (entry.made) continue;
    entry.made = true;
    entry.instance = CreateInstance(entry.placement.characterId, context, owner.Nesting() + 1);
    if (!entry.instance) continue;
    entry.instance->AttachTo(&owner, depth);
    entry.instance->Enter(context);
  }
}

void TickInstances(const DisplayList& list, CKV_PlayContext& context) {
  // A child's tick changes only what lies inside that child, so the list stays as it is.
  for (const auto& [depth, entry] : list) {
    if (entry.instance && entry.instance->MadeOnTick() != context.tick)
      entry.instance->Tick(context);
  }
}

}  // namespace player
