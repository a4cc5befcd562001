#include "player/bound_fields.h"

#include <string_view>

#include "player/edit_text_character.h"
#include "player/edit_text_instance.h"
#include "player/play_context.h"
#include "player/sprite_instance.h"
#include "player/target_path.h"

namespace player {
namespace {

CKV_SpriteInstance* TimelineOf(CKV_Instance& field) {
  for (CKV_Instance* at = field.Parent(); at; at = at->Parent())
    if (auto* sprite = dynamic_cast<CKV_SpriteInstance*>(at)) return sprite;
  return nullptr;
}

void Bind(CKV_EditTextInstance& field, CKV_PlayContext& context) {
  std::string_view name = field.Field().variableName;
  CKV_SpriteInstance* owner = TimelineOf(field);
  if (owner == nullptr) return;
  if (const size_t colon = name.rfind(':'); colon != std::string_view::npos) {
    owner = ResolveTargetPath(*owner, name.substr(0, colon), context.levels);
    name = name.substr(colon + 1);
  }
  if (!owner || name.empty()) return;
  if (const avm::Value* value = owner->FindVariable(name)) {
    field.SetText(value->ToString());
  } else if (!field.Text().empty()) {
    owner->SetVariable(name, field.Text());
  }
}

void UpdateList(DisplayList& list, CKV_PlayContext& context) {
  for (auto& [depth, entry] : list) {
    if (!entry.instance) continue;
    if (DisplayList* children = entry.instance->Children()) {
      UpdateList(*children, context);
    } else if (auto* field = dynamic_cast<CKV_EditTextInstance*>(entry.instance.get());
               field && !field->Field().variableName.empty()) {
      Bind(*field, context);
    }
  }
}

}  // namespace

void UpdateBoundFields(CKV_SpriteInstance& root, CKV_PlayContext& context) {
  UpdateList(*root.Children(), context);
}

}  // namespace player
