#pragma once

#include "avm/action_host.h"

namespace player {

class CKV_ButtonInstance;
class CKV_PlayContext;
class CKV_SpriteInstance;

// The pointer over one movie: which button it is over, which one it pressed (that button
// keeps the pointer until release, so a release outside reaches it), and the drag it moves.
class CKV_PointerInput {
 public:
  // The pointer at a stage point, in twips.
  void Move(CKV_SpriteInstance& root, CKV_PlayContext& context, double x, double y);
  void Press(CKV_SpriteInstance& root, CKV_PlayContext& context);
  void Release(CKV_SpriteInstance& root, CKV_PlayContext& context);
  // Whether the pointer is over a button, for the hand cursor.
  bool IsOverButton() const;

 private:
  // Makes the button under the pointer the hovered one, with the transitions that brings.
  void UpdateHover(CKV_SpriteInstance& root, CKV_PlayContext& context);

  avm::Target hovered_;
  avm::Target pressed_;
  bool pressedInside_ = false;
};

}  // namespace player
