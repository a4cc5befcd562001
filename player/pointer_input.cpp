#include "player/pointer_input.h"

#include "player/button_character.h"
#include "player/button_instance.h"
#include "player/clip_drag.h"
#include "player/clip_geometry.h"
#include "player/play_context.h"
#include "player/sprite_instance.h"

namespace player {
namespace {

using Button = CKV_ButtonCharacter;

CKV_ButtonInstance* ButtonOf(const avm::Target& target) {
  return dynamic_cast<CKV_ButtonInstance*>(InstanceOf(target));
}

// The topmost button whose hit area holds the pointer, searching from the highest depth down.
CKV_ButtonInstance* ButtonAt(const DisplayList& list, const CKV_PlayContext& context) {
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    const DisplayEntry& entry = it->second;
    if (!entry.instance || !entry.visible || entry.placement.clipDepth != 0) continue;
    if (auto* button = dynamic_cast<CKV_ButtonInstance*>(entry.instance.get())) {
      Transform2D inverse;
      if (!StageTransformOf(*button).Invert(inverse)) continue;
      const double x = inverse.a * context.mouseX + inverse.c * context.mouseY + inverse.tx;
      const double y = inverse.b * context.mouseX + inverse.d * context.mouseY + inverse.ty;
      if (button->Hits(x, y, context)) return button;
    } else if (const DisplayList* children = entry.instance->Children()) {
      if (CKV_ButtonInstance* found = ButtonAt(*children, context)) return found;
    }
  }
  return nullptr;
}

bool IsUnder(const CKV_ButtonInstance& button, const CKV_SpriteInstance& root,
             const CKV_PlayContext& context) {
  return ButtonAt(*root.Children(), context) == &button;
}

}  // namespace

void CKV_PointerInput::Move(CKV_SpriteInstance& root, CKV_PlayContext& context, double x,
                            double y) {
  context.mouseX = x;
  context.mouseY = y;
  if (context.drag) FollowPointer(*context.drag, context);
  if (CKV_ButtonInstance* pressed = ButtonOf(pressed_)) {
    // The pressed button keeps the pointer: it only learns whether the pointer is inside.
    const bool inside = IsUnder(*pressed, root, context);
    if (inside == pressedInside_) return;
    pressedInside_ = inside;
    pressed->Show(context, inside ? Button::kDown : Button::kOver);
    pressed->Fire(context, inside ? Button::kOutDownToOverDown : Button::kOverDownToOutDown);
    return;
  }
  UpdateHover(root, context);
}

void CKV_PointerInput::Press(CKV_SpriteInstance& root, CKV_PlayContext& context) {
  UpdateHover(root, context);
  CKV_ButtonInstance* button = ButtonOf(hovered_);
  if (!button) return;
  pressed_ = hovered_;
  pressedInside_ = true;
  button->Show(context, Button::kDown);
  button->Fire(context, Button::kOverUpToOverDown);
}

void CKV_PointerInput::Release(CKV_SpriteInstance& root, CKV_PlayContext& context) {
  if (CKV_ButtonInstance* pressed = ButtonOf(pressed_)) {
    pressed->Show(context, pressedInside_ ? Button::kOver : Button::kUp);
    pressed->Fire(context, pressedInside_ ? Button::kOverDownToOverUp : Button::kOutDownToIdle);
    if (!pressedInside_) hovered_.reset();
  }
  pressed_.reset();
  pressedInside_ = false;
  UpdateHover(root, context);
}

bool CKV_PointerInput::IsOverButton() const {
  return ButtonOf(pressed_) ? pressedInside_ : ButtonOf(hovered_) != nullptr;
}

void CKV_PointerInput::UpdateHover(CKV_SpriteInstance& root, CKV_PlayContext& context) {
  CKV_ButtonInstance* under = ButtonAt(*root.Children(), context);
  CKV_ButtonInstance* before = ButtonOf(hovered_);
  if (under == before) return;
  if (before) {
    before->Show(context, Button::kUp);
    before->Fire(context, Button::kOverUpToIdle);
  }
  hovered_ = under ? under->Handle() : nullptr;
  if (under) {
    under->Show(context, Button::kOver);
    under->Fire(context, Button::kIdleToOverUp);
  }
}

}  // namespace player
