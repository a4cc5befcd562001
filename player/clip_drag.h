#pragma once

#include <optional>

#include "avm/action_host.h"

namespace player {

class CKV_PlayContext;

// A sprite following the pointer after StartDrag, until EndDrag or another StartDrag.
struct ClipDrag {
  avm::Target clip;
  bool lockCenter = false;
  std::optional<avm::DragBounds> bounds;
  // Where the pointer held the clip, from its origin in its parent's twips.
  double grabX = 0;
  double grabY = 0;
};

// Begins a drag at the pointer's present place.
ClipDrag BeginDrag(avm::Target clip, bool lockCenter, std::optional<avm::DragBounds> bounds,
                   const CKV_PlayContext& context);

// Moves the dragged clip to the pointer, within its bounds; the move sticks as a script's.
void FollowPointer(const ClipDrag& drag, const CKV_PlayContext& context);

}  // namespace player
