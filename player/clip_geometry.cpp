#include "player/clip_geometry.h"

#include <algorithm>

#include "player/character_table.h"
#include "player/edit_text_character.h"
#include "player/instance.h"
#include "player/play_context.h"
#include "player/shape_character.h"
#include "player/sprite_character.h"
#include "player/text_character.h"

namespace player {
namespace {

bool IsEmpty(const TwipsRect& rect) {
  return !(rect.xMax > rect.xMin) && !(rect.yMax > rect.yMin);
}

void Include(TwipsRect& into, const TwipsRect& rect, bool& any) {
  if (IsEmpty(rect)) return;
  if (!any) {
    into = rect;
    any = true;
    return;
  }
  into = {std::min(into.xMin, rect.xMin), std::min(into.yMin, rect.yMin),
          std::max(into.xMax, rect.xMax), std::max(into.yMax, rect.yMax)};
}

TwipsRect BoundsOf(const CKV_Character& character, const CKV_CharacterTable& characters,
                   int nesting) {
  switch (character.Kind()) {
    case CharacterKind::kShape:
      return static_cast<const CKV_ShapeCharacter&>(character).bounds;
    case CharacterKind::kText:
      return static_cast<const CKV_TextCharacter&>(character).bounds;
    case CharacterKind::kEditText:
      return static_cast<const CKV_EditTextCharacter&>(character).bounds;
    case CharacterKind::kSprite: {
      const CKV_Timeline& timeline = static_cast<const CKV_SpriteCharacter&>(character).timeline;
      TwipsRect bounds{};
      bool any = false;
      if (nesting >= CKV_PlayContext::kMaxNesting || timeline.FrameCount() == 0) return bounds;
      for (const FrameCommand& command : timeline.Frame(1).commands) {
        const CKV_Character* placed = characters.Find(command.characterId);
        if (command.kind != FrameCommand::Kind::kPlace || !placed) continue;
        Include(bounds,
                MapRect(command.matrix.value_or(Transform2D{}),
                        BoundsOf(*placed, characters, nesting + 1)),
                any);
      }
      return bounds;
    }
    default:
      return {};
  }
}

}  // namespace

TwipsRect CharacterBounds(const CKV_Character& character, const CKV_CharacterTable& characters) {
  return BoundsOf(character, characters, 0);
}

Transform2D StageTransformOf(const CKV_Instance& instance) {
  Transform2D transform;
  for (const CKV_Instance* at = &instance; at->Parent(); at = at->Parent()) {
    if (const DisplayEntry* entry = at->OwnEntry()) transform = entry->placement.matrix * transform;
  }
  return transform;
}

TwipsRect MapRect(const Transform2D& t, const TwipsRect& rect) {
  const double xs[4] = {rect.xMin, rect.xMax, rect.xMin, rect.xMax};
  const double ys[4] = {rect.yMin, rect.yMin, rect.yMax, rect.yMax};
  TwipsRect out{};
  for (int i = 0; i < 4; ++i) {
    const double x = t.a * xs[i] + t.c * ys[i] + t.tx;
    const double y = t.b * xs[i] + t.d * ys[i] + t.ty;
    out = i == 0 ? TwipsRect{x, y, x, y}
                 : TwipsRect{std::min(out.xMin, x), std::min(out.yMin, y), std::max(out.xMax, x),
                             std::max(out.yMax, y)};
  }
  return out;
}

TwipsRect ContentBounds(const CKV_Instance& instance, const CKV_CharacterTable& characters) {
  if (const DisplayList* children = instance.Children()) {
    TwipsRect bounds{};
    bool any = false;
    for (const auto& [depth, entry] : *children) {
      if (!entry.instance || entry.placement.clipDepth != 0) continue;
      const TwipsRect inner = ContentBounds(*entry.instance, characters);
      if (!IsEmpty(inner)) Include(bounds, MapRect(entry.placement.matrix, inner), any);
    }
    return bounds;
  }
  const CKV_Character* character = instance.Character();
  return character ? CharacterBounds(*character, characters) : TwipsRect{};
}

}  // namespace player
