#include "player/clip_drag.h"

#include <algorithm>

#include "player/clip_geometry.h"
#include "player/play_context.h"
#include "player/sprite_instance.h"
#include "swftk/units.h"

namespace player {
namespace {

constexpr double kTwipsPerPixel = swftk::kTwipsPerPixel;

// The pointer in the coordinates of the clip's parent, in twips.
bool PointerInParent(const CKV_SpriteInstance& clip, const CKV_PlayContext& context, double& x,
                     double& y) {
  Transform2D inverse;
  const CKV_Instance* parent = clip.Parent();
  if (!parent || !StageTransformOf(*parent).Invert(inverse)) return false;
  x = inverse.a * context.mouseX + inverse.c * context.mouseY + inverse.tx;
  y = inverse.b * context.mouseX + inverse.d * context.mouseY + inverse.ty;
  return true;
}

}  // namespace

ClipDrag BeginDrag(avm::Target clip, bool lockCenter, std::optional<avm::DragBounds> bounds,
                   const CKV_PlayContext& context) {
  ClipDrag drag{std::move(clip), lockCenter, bounds, 0, 0};
  CKV_SpriteInstance* sprite = ClipOf(drag.clip);
  double x = 0;
  double y = 0;
  if (sprite && !lockCenter && PointerInParent(*sprite, context, x, y)) {
    const Transform2D& m = sprite->Placed().placement.matrix;
    drag.grabX = x - m.tx;
    drag.grabY = y - m.ty;
  }
  return drag;
}

void FollowPointer(const ClipDrag& drag, const CKV_PlayContext& context) {
  CKV_SpriteInstance* sprite = ClipOf(drag.clip);
  double x = 0;
  double y = 0;
  if (!sprite || !PointerInParent(*sprite, context, x, y)) return;
  x -= drag.grabX;
  y -= drag.grabY;
  if (drag.bounds) {
    const avm::DragBounds& box = *drag.bounds;
    x = std::clamp(x, std::min(box.left, box.right) * kTwipsPerPixel,
                   std::max(box.left, box.right) * kTwipsPerPixel);
    y = std::clamp(y, std::min(box.top, box.bottom) * kTwipsPerPixel,
                   std::max(box.top, box.bottom) * kTwipsPerPixel);
  }
  DisplayEntry& entry = sprite->Placed();
  entry.placement.matrix.tx = x;
  entry.placement.matrix.ty = y;
  entry.movedByScript = true;
}

}  // namespace player
